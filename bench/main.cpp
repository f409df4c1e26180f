// ksv717n-bench: how close the exchanges come to the serial line's limit,
// and how quickly the programs start and print. See docs/bench.md.
//
//   ksv717n-bench [--runs N] [--only link,cli,startup,card] [--verbose]
//
// Run it under xvfb-run (scripts/bench does): the main window's start-up is
// timed on that display. The programs are taken from the bench's own folder.

#include "card_bench.h"
#include "link_bench.h"
#include "map_watch.h"
#include "report.h"
#include "startup_bench.h"

#include "image/checksum.h"
#include "image/defaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

using namespace ksv;
using namespace ksv::bench;

namespace {

struct Options {
    int runs = 5;
    QStringList only = {"link", "cli", "startup", "card"};
    bool verbose = false;
};

bool parse(const QStringList& args, Options& o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--runs" && i + 1 < args.size())
            o.runs = std::max(1, args[++i].toInt());
        else if (a == "--only" && i + 1 < args.size())
            o.only = args[++i].split(',');
        else if (a == "--verbose")
            o.verbose = true;
        else
            return false;
    }
    return true;
}

// Qt's warnings about the bench's own environment (no runtime folder under
// xvfb-run) would only clutter the table.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

Image startImage() {
    Image image = defaultImage(rtVehicleVhf);
    image[off::Checksum] = CalcCRC(image);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    // The bench itself draws nothing on screen; the main window it starts
    // is told to use the display explicitly.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QGuiApplication app(argc, argv);
    Options o;
    if (!parse(QCoreApplication::arguments(), o)) {
        std::fprintf(
            stderr, "usage: ksv717n-bench [--runs N] [--only link,cli,startup,card] [--verbose]\n");
        return 2;
    }
    const QString bin = QCoreApplication::applicationDirPath();
    const std::string cli = (bin + "/ksv717n-cli").toStdString();
    const std::string gui = (bin + "/ksv717n").toStdString();
    QTemporaryDir tmp;
    const std::string work = tmp.path().toStdString();

    const LineModel line; // 9600 baud, 10 bits a byte, 5 ms a record
    Report report(line, o.runs, o.verbose);

    test::TransceiverSim sim;
    sim.setImage(startImage());
    sim.setPacing(true);
    sim.setRecordDelay(std::chrono::milliseconds(static_cast<int>(line.recordDelayMs)));
    sim.start();

    if (o.only.contains("link")) {
        LinkBench link(sim);
        if (!link.open()) {
            std::fprintf(stderr, "cannot open %s\n", sim.devicePath().c_str());
            return 1;
        }
        std::vector<LinkSample> reads, writes, verifies;
        for (int r = 0; r < o.runs; ++r) {
            reads.push_back(link.read());
            writes.push_back(link.write());
            verifies.push_back(link.verify());
        }
        report.link("1 ReadData", reads, 1.3);
        report.link("2 WriteData, 234 records", writes, 1.25);
        report.link("3 VerifyData", verifies, 1.3);
    }
    if (o.only.contains("cli")) {
        std::vector<LinkSample> runs;
        for (int r = 0; r < o.runs; ++r)
            runs.push_back(cliWrite(sim, cli, work));
        report.link("4 ksv717n-cli write, whole", runs, 1.5);
    }
    sim.stop();

    if (o.only.contains("startup")) {
        const std::string file = work + "/show.ust";
        {
            const Image image = startImage();
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(image.data()), 256);
        }
        std::vector<StartupSample> shows, windows;
        for (int r = 0; r < o.runs; ++r)
            shows.push_back(cliShow(cli, file, work));
        MapWatch watch;
        for (int r = 0; r < o.runs; ++r)
            windows.push_back(mainWindow(watch, gui, work));
        report.startup("5 ksv717n-cli show, start to exit", shows, 50, 0);
        report.startup("5 ksv717n, start to first window", windows, 0, 80);
    }
    if (o.only.contains("card")) {
        std::vector<CardSample> cards;
        for (int r = 0; r < o.runs; ++r)
            cards.push_back(renderCard600(QString::fromStdString(work) + "/card.pdf"));
        report.card("6 card, both sheets, 600 dpi PDF", cards, 1000);
    }
    return report.print() ? 0 : 1;
}
