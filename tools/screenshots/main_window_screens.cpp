// Saves pictures of the main window's pages and of the radio type dialog, to
// look at under a virtual X server:
//   xvfb-run -a -s "-screen 0 1280x1024x24" main_window_screens <dir>
// Not a test; it is built beside the tests and run by hand.

#include "support/message_recorder.h"
#include "ui/dialogs/radio_type_dialog.h"
#include "ui/grid/channel_table.h"
#include "ui/main/create_app_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void shootWindow(const QString& dir, const QString& name, QWidget* w) {
    settle();
    w->grab().save(QDir(dir).filePath(name));
}

// A table with two groups, the priority channel, marks, subtones and a
// transmitter off, scrolled to its first rows.
void shootChannels(const QString& dir, ksv::MainWindow& form, const QString& tag) {
    ksv::Image im = form.currentImage();
    im[216] = 4;
    im[217] = 19;
    im[218] = 29;
    im[219] = 34;
    im[249] = 11;
    for (int n = 1; n <= ksv::kChannelCount; ++n) {
        const ksv::ChannelView c = im.channel(n);
        c.setRxCode(n * 7 % 90 + 20);
        c.setTxCode(n % 6 == 0 ? 0 : n * 11 % 90 + 20);
        c.setRxSubtone(n % 5 == 0 ? 0 : n % 50 + 1);
        c.setTxSubtone(n % 3 == 0 ? 0 : (n * 3) % 50 + 1);
        c.setProhibited(n % 4 == 0);
        c.setScanS(n % 2 == 0);
        c.setScanL(n % 3 == 0);
    }
    form.showImage(im);
    shootWindow(dir, QStringLiteral("ui-%1-channels-rich.png").arg(tag), &form);
    form.grid()->verticalScrollBar()->setValue(20);
    shootWindow(dir, QStringLiteral("ui-%1-channels-rich-end.png").arg(tag), &form);
    form.grid()->verticalScrollBar()->setValue(0);
}

void shootMode(const QString& dir, ksv::OperatingMode mode, const QString& tag, int type) {
    ksv::test::MessageRecorder recorder;
    auto form = ksv::createAppWindows(mode);
    form->setRunStartUpOnShow(false);
    form->show();
    form->startUpWithType(type);
    QTabWidget* pages = form->pages();
    shootChannels(dir, *form, tag);
    const char* names[] = {"channels", "main", "scan", "tones"};
    for (int i = 0; i < pages->count(); ++i) {
        if (!pages->isTabVisible(i))
            continue;
        pages->setCurrentIndex(i);
        shootWindow(dir, QStringLiteral("ui-%1-%2.png").arg(tag, names[i]), form.get());
    }
    if (pages->isTabVisible(3)) {
        pages->setCurrentIndex(3);
        form->controls().toneSignalling->setChecked(true);
        form->controls().standby->setChecked(true);
        shootWindow(dir, QStringLiteral("ui-%1-tones-on.png").arg(tag), form.get());
        ksv::Image im = form->currentImage();
        for (int k = 1; k <= 5; ++k)
            im.setToneWord(k, ksv::toneEncode(1000 + 100 * k));
        form->showImage(im);
        shootWindow(dir, QStringLiteral("ui-%1-tones-5.png").arg(tag), form.get());
    }
    pages->setCurrentIndex(2);
    form->controls().priorityScan->setChecked(true);
    shootWindow(dir, QStringLiteral("ui-%1-scan-on.png").arg(tag), form.get());
    form->controls().priorityScan->setChecked(false);
    shootWindow(dir, QStringLiteral("ui-%1-scan-off.png").arg(tag), form.get());

    // Menus, opened below their titles.
    const QList<QAction*> menus = form->menuBar()->actions();
    for (int i = 0; i < menus.size(); ++i) {
        QMenu* m = menus[i]->menu();
        m->popup(form->mapToGlobal(form->menuBar()->actionGeometry(menus[i]).bottomLeft()));
        settle();
        m->grab().save(QDir(dir).filePath(QStringLiteral("ui-%1-menu%2.png").arg(tag).arg(i)));
        m->hide();
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    shootMode(dir, ksv::omUser, QStringLiteral("user"), 0);
    shootMode(dir, ksv::omService, QStringLiteral("service"), 4);
    shootMode(dir, ksv::omMidBand, QStringLiteral("midband"), 3);

    ksv::RadioTypeDialog dialog;
    dialog.setEndProgram([] {});
    int remembered = 4;
    QTimer::singleShot(0, [&] {
        shootWindow(dir, QStringLiteral("ui-newtype-new.png"), &dialog);
        dialog.reject();
    });
    dialog.askNewType(remembered);
    QTimer::singleShot(0, [&] {
        shootWindow(dir, QStringLiteral("ui-newtype-start.png"), &dialog);
        dialog.reject();
    });
    dialog.askStartType(remembered);
    return 0;
}
