// Saves pictures of the "Запись серии" window against the transceiver
// simulator in fleet mode (a set written, one that holds the settings
// already, one of the other band): before the start, during the write into
// the first set, after three sets and after «Остановить». To look at them:
//   xvfb-run -a -s "-screen 0 1280x1024x24" series_screens <dir>
// Not a test; it is built beside the tests and run by hand.

#include "files/ust_file.h"
#include "image/checksum.h"
#include "image/defaults.h"
#include "link/port_line.h"
#include "support/message_recorder.h"
#include "support/transceiver_sim.h"
#include "ui/dialogs/desktop.h"
#include "ui/dialogs/exchange_window.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/main/create_app_windows.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/series/series_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {

using namespace ksv;

struct FolderAnswer final : FileDialogs {
    QString folder;
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return {}; }
    QString folderName(QWidget*, const QString&) override { return folder; }
};

struct QuietDesktop final : Desktop {
    void beep() override {}
    bool openFolder(const QString&) override { return true; }
};

// Runs act once done() holds, checking every 5 ms.
void when(std::function<bool()> done, std::function<void()> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (!done())
            return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start(5);
}

Image numbered(Image im, std::uint32_t number) {
    ZnToBuf(number, im);
    im.set(map::Firmware, 23);
    im.setChecksum(CalcCRC(im));
    return im;
}

std::vector<test::SimSet> threeSets(const Image& plan) {
    Image differing = plan;
    for (int offset = 16; offset < 176; ++offset)
        differing[offset] ^= 0x01;
    return {{numbered(differing, 104871), 0, {}},
            {numbered(plan, 104872), 0, {}},
            {numbered(defaultImage(rtVehicleUhf), 104873), 0, {}}};
}

// The four pictures, each taken once the window has come that far.
struct Shots {
    SeriesDialog* series() const { return form->findChild<SeriesDialog*>(); }
    QString status() const { return series()->findChild<QLabel*>("SeriesStatus")->text(); }
    void shoot(const char* name) const {
        series()->grab().save(out.filePath(QString::fromLatin1(name)));
    }
    void start() const {
        shoot("series-before.png");
        series()->findChild<QPushButton*>("ChooseFolder")->click();
        series()->findChild<QCheckBox*>("CardsBox")->setChecked(true);
        series()->findChild<QPushButton*>("StartButton")->click();
        const auto* bar = series()->findChild<QProgressBar*>();
        when([this, bar] { return status().startsWith("Запись") && bar->value() > 100; },
             [this] { during(); });
    }
    void during() const {
        shoot("series-during.png");
        const auto* table = series()->findChild<QTableWidget*>();
        when([this, table] { return table->rowCount() == 3 && status().startsWith("Подкл"); },
             [this] { after(); });
    }
    void after() const {
        shoot("series-after.png");
        series()->findChild<QPushButton*>("StartButton")->click();
        when([this] { return !series()->running(); },
             [this] {
                 shoot("series-stopped.png");
                 series()->findChild<QPushButton*>("CloseButton")->click();
             });
    }
    MainWindow* form;
    QDir out;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    test::MessageRecorder messages;
    QuietDesktop desktop;
    setDesktop(&desktop);
    QTemporaryDir folder;

    Image plan = defaultImage(rtVehicleVhf);
    {
        MainWindow window(omUser); // the image as the window stores it
        window.showImage(plan);
        window.commitEdits();
        plan = window.currentImage();
    }
    test::TransceiverSim sim;
    sim.setFleet(threeSets(plan));
    sim.setRecordDelay(std::chrono::milliseconds(15));
    sim.start();
    test::ScopedPortMapping com1(1, sim.devicePath());

    auto form = createAppWindows(omUser);
    form->setRunStartUpOnShow(false);
    form->show();
    form->startUpWithType(rtVehicleVhf);
    form->windows().line->exchange().setTimings({200, 10});
    auto* dialogs = new FolderAnswer;
    dialogs->folder = folder.filePath(QStringLiteral("Серия 2026-12-08 14-05"));
    form->windows().files =
        std::make_shared<FileCommands>(*form, std::unique_ptr<FileDialogs>(dialogs));
    // The window shows the file it was opened from, holding its settings.
    const QString file = folder.filePath(QStringLiteral("колонна-7.ust"));
    WriteUSTFile(file, plan);
    form->setFileInUse(file);

    const Shots shots{form.get(), out};
    when([&] { return shots.series() && shots.series()->isVisible(); }, [&] { shots.start(); });
    QTimer::singleShot(0, [&] {
        form->findChild<QAction*>("writeSeriesAction")->trigger();
        app.quit();
    });
    return app.exec();
}
