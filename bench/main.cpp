// ksv717n-bench: how close the exchanges come to the serial line's limit,
// and how quickly the programs start and print. See docs/bench.md.
//
//   ksv717n-bench [--runs N] [--only link,cli,startup,card,archive] [--verbose]
//
// Run it under xvfb-run (scripts/bench does): the main window's start-up is
// timed on that display. The programs are taken from the bench's own folder.

#include "archive_bench.h"
#include "card_bench.h"
#include "link_bench.h"
#include "map_watch.h"
#include "report.h"
#include "startup_bench.h"

#include "image/checksum.h"
#include "image/defaults.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <fstream>

using namespace ksv;
using namespace ksv::bench;

namespace {

struct Options {
    int runs = 5;
    QStringList only = {"link", "cli", "startup", "card", "archive"};
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

// Keeping a state, on the disk of the bench's temporary folder, and the
// listings of ten thousand states: 1000 sets of 10, and one set of 10000.
void measureArchive(Report& report, const std::string& cli, const std::string& work, int runs) {
    const int keeps = std::max(runs, 20);
    // keep() on its own: the work and the two flushes to disk that the read
    // hides by keeping while the service block crosses the line.
    report.timing("7 keep() alone, a new state", keepNewStates(work + "/keep", keeps), 50);
    report.timing("7 keep() alone, unchanged", keepUnchangedStates(work + "/keep", keeps), 5);
    const std::string many = work + "/many-sets";
    const std::string one = work + "/one-set";
    if (!fillArchive(many, 1000, 10) || !fillArchive(one, 1, 10000)) {
        report.timing("8 archive of 10000 states", {-1}, 1000);
        return;
    }
    std::vector<StartupSample> sets, states;
    std::vector<double> windowSets, windowStates;
    // The programs first: a child forked once the bench has built windows
    // would count the bench's pages in its peak memory.
    for (int r = 0; r < runs; ++r) {
        sets.push_back(cliArchive(cli, many, "", work));
        states.push_back(cliArchive(cli, one, "654321", work));
    }
    for (int r = 0; r < runs; ++r) {
        windowSets.push_back(archiveWindowMs(many, ""));
        windowStates.push_back(archiveWindowMs(one, "654321"));
    }
    report.startup("8 archive, 1000 sets of 10 states", sets, 1000, 0);
    report.startup("8 archive 654321, 10000 states", states, 1000, 0);
    report.timing("8 window, 1000 sets of 10 states", windowSets, 1000);
    report.timing("8 window, one set of 10000 states", windowStates, 1000);
}

Image startImage() {
    Image image = defaultImage(rtVehicleVhf);
    storeChecksum(image);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    // The bench itself draws nothing on screen; the main window it starts
    // is told to use the display explicitly.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQt);
    QApplication app(argc, argv);
    Options o;
    if (!parse(QCoreApplication::arguments(), o)) {
        std::fprintf(
            stderr,
            "usage: ksv717n-bench [--runs N] [--only link,cli,startup,card,archive] [--verbose]\n");
        return 2;
    }
    const QString bin = QCoreApplication::applicationDirPath();
    const std::string cli = (bin + "/ksv717n-cli").toStdString();
    const std::string gui = (bin + "/ksv717n").toStdString();
    QTemporaryDir tmp;
    const std::string work = tmp.path().toStdString();
    // The programs it starts keep the states they read here, never in the
    // documents of whoever runs the bench.
    qputenv("KSV717N_ARCHIVE", QFile::encodeName(tmp.filePath(QStringLiteral("archive"))));

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
    if (o.only.contains("archive")) {
        LinkBench link(sim);
        std::vector<LinkSample> plain, keeping;
        const std::vector<double> added =
            link.open()
                ? readKeepingCost(link, work + "/reads", std::max(o.runs, 9), plain, keeping)
                : std::vector<double>{std::nan("")};
        report.link("7 read command, no archive", plain, 1.3);
        report.link("7 read command, keeping the state", keeping, 1.3);
        report.timing("7 keeping adds to a read (pairs)", added, 5);
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
    if (o.only.contains("archive"))
        measureArchive(report, cli, work, o.runs);
    return report.print() ? 0 : 1;
}
