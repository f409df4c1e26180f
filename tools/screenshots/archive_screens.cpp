// Grabs the archive window (a set chosen, its original compared with the
// window), the comparison with a set (a write's changes, and a refusal) and
// the main window's status bar after a read, into PNG files, for looking at
// them: archive_screens <folder>. Not a test; run by hand under a virtual X
// server, e.g. xvfb-run -a -s "-screen 0 1280x1024x24" archive_screens DIR.

#include "files/state_archive.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "operations/write_plan.h"
#include "support/message_recorder.h"
#include "ui/archive/archive_dialog.h"
#include "ui/archive/radio_compare_dialog.h"
#include "ui/archive/window_archive.h"
#include "ui/main/create_app_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using namespace ksv;

Image set(RadioType type, std::uint32_t number) {
    Image im = defaultImage(type);
    ZnToBuf(number, im);
    im.set(map::Firmware, 23);
    im.setChecksum(CalcCRC(im));
    return im;
}

Image changed(Image im, int channel, int code) {
    im.setRxCode(channel, code);
    im.setTxCode(channel, code + 2);
    im.setChecksum(CalcCRC(im));
    return im;
}

// A few sets, one of them with an original, a cut-off write and the write.
void fill(const StateArchive& a) {
    const QDateTime day(QDate(2026, 12, 8), QTime(9, 14, 2));
    const Image radio = set(rtVehicleVhf, 654321);
    a.keep(radio, day);
    a.keep(changed(radio, 3, 36), day.addSecs(75));
    a.keep(changed(changed(radio, 3, 36), 4, 60), day.addSecs(140));
    for (std::uint32_t n : {100001u, 100002u, 100003u})
        a.keep(set(rtStationaryUhf, n), day.addDays(-3).addSecs(n % 10 * 300));
    a.keep(set(rtRepeaterVhf, 0), day.addDays(-1));
}

WriteOutcome dryRun(const Image& radio, const Image& window, WriteResult result) {
    WriteOutcome o;
    o.read.connected = true;
    o.read.image = radio;
    o.image = window;
    o.plan = planWrite(window, radio, false, true, false);
    o.result = result;
    return o;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    QTemporaryDir dir;
    const StateArchive archive(dir.filePath(QStringLiteral("Документы/KSV717N/Архив")));
    fill(archive);
    test::MessageRecorder quiet;

    const Image radio = changed(changed(set(rtVehicleVhf, 654321), 3, 36), 4, 60);
    const Image window = changed(changed(radio, 7, 200), 8, 220);
    ArchiveDialog form(archive, {[](const QString&) {}, [&] { return window; }});
    form.findChild<QLineEdit*>(QStringLiteral("NumberFilter"))->setText(QStringLiteral("6543"));
    form.findChild<QTableView*>(QStringLiteral("StatesList"))->selectRow(2);
    form.findChild<QPushButton*>(QStringLiteral("CompareStateButton"))->click();
    form.show();
    ArchiveDialog all(archive, {[](const QString&) {}, [&] { return window; }});
    all.show();

    RadioCompareDialog compare(dryRun(radio, window, WriteResult::Stopped));
    compare.show();
    RadioCompareDialog refused(dryRun(radio, set(rtVehicleUhf, 654321), WriteResult::Refused));
    refused.show();

    auto main = createAppWindows(omUser);
    main->setRunStartUpOnShow(false);
    main->show();
    main->startUpWithType(rtVehicleVhf);
    main->showImage(radio);
    showKeptRead(*main, archive, archive.keep(radio));

    QTimer::singleShot(500, [&] {
        form.grab().save(out.filePath(QStringLiteral("archive-window.png")));
        all.grab().save(out.filePath(QStringLiteral("archive-window-all.png")));
        compare.grab().save(out.filePath(QStringLiteral("archive-compare.png")));
        refused.grab().save(out.filePath(QStringLiteral("archive-compare-refused.png")));
        main->grab().save(out.filePath(QStringLiteral("archive-status-bar.png")));
        QApplication::exit(0); // quit() would ask the main window, which asks "Выйти из программы?"
    });
    return app.exec();
}
