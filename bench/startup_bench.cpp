#include "startup_bench.h"

#include "child_process.h"
#include "map_watch.h"

#include <csignal>
#include <thread>
#include <unistd.h>

namespace ksv::bench {

namespace {

using namespace std::chrono_literals;

double mb(long kb) {
    return static_cast<double>(kb) / 1024.0;
}

std::string findInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t at = 0;
    while (at <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', at), dirs.size());
        const std::string candidate = dirs.substr(at, end - at) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        at = end + 1;
    }
    return {};
}

} // namespace

StartupSample cliShow(const std::string& cliPath, const std::string& file,
                      const std::string& workDir) {
    ChildLaunch launch;
    launch.argv = {cliPath, "show", file};
    launch.env = safePortEnvironment();
    launch.outputPath = workDir + "/show.out";
    const ChildExit e = runChild(launch, 10s);
    StartupSample s{e.wallMs, mb(e.peakRssKb), e.exitCode == 0, true, {}};
    if (!s.ok)
        s.problem = "exit code " + std::to_string(e.exitCode);
    return s;
}

StartupSample mainWindow(MapWatch& watch, const std::string& programPath,
                         const std::string& workDir) {
    StartupSample s;
    if (!watch.ok()) {
        s.problem = "no X display (run under xvfb-run)";
        return s;
    }
    watch.drain();
    ChildLaunch launch;
    launch.argv = {programPath};
    launch.env = safePortEnvironment();
    launch.env["QT_QPA_PLATFORM"] = "xcb";
    launch.outputPath = workDir + "/main-window.log";
    Child child(launch);
    if (!child.started()) {
        s.problem = "cannot start " + programPath;
        return s;
    }
    const auto first = watch.nextMap(20s);
    if (!first) {
        s.problem = "no window appeared";
        return s;
    }
    s.ms = std::chrono::duration<double, std::milli>(first->time - child.startTime()).count();
    s.ok = true;

    // The radio type dialog, then Enter in it (the current type), then the
    // message that no free port was found ends the start-up sequence.
    const std::string xdotool = findInPath("xdotool");
    const auto dialog = watch.nextMap(10s);
    if (!dialog)
        s.problem = "no radio type dialog";
    else if (xdotool.empty())
        s.problem = "xdotool not installed: radio type dialog left open";
    if (dialog && !xdotool.empty()) {
        ChildLaunch key;
        key.argv = {xdotool, "key", "--clearmodifiers", "Return"};
        key.outputPath = workDir + "/xdotool.log";
        runChild(key, 10s);
        if (!watch.waitGone(dialog->window, 10s))
            s.problem = "Enter did not close the radio type dialog";
        else if (!watch.nextMap(10s))
            s.problem = "no message after the port search";
        else
            s.sequenceDone = true;
    }
    std::this_thread::sleep_for(300ms); // let it paint the message
    child.signal(SIGTERM);
    const ChildExit e = child.wait(10s);
    s.peakRssMb = mb(e.peakRssKb);
    return s;
}

} // namespace ksv::bench
