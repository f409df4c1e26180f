#include "archive_bench.h"

#include "child_process.h"

#include "files/state_archive.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "ui/archive/archive_dialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <cmath>
#include <fstream>

namespace ksv::bench {
namespace {

using namespace std::chrono_literals;

Image stateImage(std::uint32_t number, int variant) {
    Image im = defaultImage(rtVehicleVhf);
    ZnToBuf(number, im);
    im.setRxCode(1 + variant % 40, 1 + (variant / 40) % 1000);
    im[251] = static_cast<std::uint8_t>(variant);
    return im;
}

// Times keep() of images from make(i), for i from first; each run a fresh call.
template <class Make> std::vector<double> timeKeeps(const StateArchive& a, int runs, Make make) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const Image im = make(i);
        QElapsedTimer t;
        t.start();
        const KeepResult r = a.keep(im);
        ms.push_back(t.nsecsElapsed() / 1e6);
        if (r.failed())
            ms.back() = std::nan("");
    }
    return ms;
}

StateArchive preparedSet(const std::string& folder) {
    const StateArchive a(QString::fromStdString(folder));
    if (a.states(QStringLiteral("654321")).empty())
        fillArchive(folder, 1, 100);
    return a;
}

} // namespace

std::vector<double> keepNewStates(const std::string& folder, int runs) {
    const StateArchive a = preparedSet(folder);
    return timeKeeps(a, runs, [](int i) { return stateImage(654321, 5000 + i); });
}

std::vector<double> keepUnchangedStates(const std::string& folder, int runs) {
    const StateArchive a = preparedSet(folder);
    a.keep(stateImage(654321, 9999));
    return timeKeeps(a, runs, [](int) { return stateImage(654321, 9999); });
}

bool fillArchive(const std::string& folder, int sets, int statesEach) {
    for (int s = 0; s < sets; ++s) {
        const std::uint32_t number = sets == 1 ? 654321 : 100000 + s;
        const QString dir = QString::fromStdString(folder) + '/' +
                            QString::fromStdString(ZnTxt(stateImage(number, 0)));
        if (!QDir().mkpath(dir))
            return false;
        for (int k = 1; k <= statesEach; ++k) {
            const QString name = QStringLiteral("%1_2026-03-14_12-%2-%3_Тарвен-52.ust")
                                     .arg(k, 4, 10, QLatin1Char('0'))
                                     .arg(k / 60 % 60, 2, 10, QLatin1Char('0'))
                                     .arg(k % 60, 2, 10, QLatin1Char('0'));
            const Image im = stateImage(number, k);
            std::ofstream out((dir + '/' + name).toStdString(), std::ios::binary);
            out.write(reinterpret_cast<const char*>(im.data()), kImageSize);
            if (!out)
                return false;
        }
    }
    return true;
}

StartupSample cliArchive(const std::string& cliPath, const std::string& folder,
                         const std::string& number, const std::string& workDir) {
    ChildLaunch launch;
    launch.argv = {cliPath, "archive", "--archive-dir", folder};
    if (!number.empty())
        launch.argv.push_back(number);
    launch.env = safePortEnvironment();
    launch.outputPath = workDir + "/archive.out";
    const ChildExit e = runChild(launch, 20s);
    StartupSample s{e.wallMs, e.peakRssKb / 1024.0, e.exitCode == 0, true, {}};
    if (!s.ok)
        s.problem = "exit code " + std::to_string(e.exitCode);
    return s;
}

double archiveWindowMs(const std::string& folder, const std::string& number) {
    const StateArchive archive(QString::fromStdString(folder));
    QElapsedTimer t;
    t.start();
    ArchiveDialog form(archive, {[](const QString&) {}, [] { return Image{}; }});
    if (!number.empty())
        form.findChild<QLineEdit*>(QStringLiteral("NumberFilter"))
            ->setText(QString::fromStdString(number));
    form.show();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    const auto* states = form.findChild<QTableView*>(QStringLiteral("StatesList"));
    const auto* sets = form.findChild<QTableView*>(QStringLiteral("SetsList"));
    const int rows = number.empty() ? sets->model()->rowCount() : states->model()->rowCount();
    return rows > 0 ? ms : std::nan("");
}

std::vector<double> readKeepingCost(LinkBench& link, const std::string& folder, int runs,
                                    std::vector<LinkSample>& plain,
                                    std::vector<LinkSample>& keeping) {
    const StateArchive archive(QString::fromStdString(folder));
    std::vector<double> added;
    for (int r = 0; r < runs; ++r) {
        plain.push_back(link.readCommand(nullptr));
        keeping.push_back(link.readCommand(&archive));
        added.push_back(keeping.back().ok && plain.back().ok ? keeping.back().ms - plain.back().ms
                                                             : std::nan(""));
    }
    return added;
}

} // namespace ksv::bench
