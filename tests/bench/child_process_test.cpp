#include "child_process.h"

#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace ksv::bench {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ChildProcess, EnvironmentChangesOutputAndExitCode) {
    QTemporaryDir dir;
    const std::string out = dir.filePath("out.txt").toStdString();
    ::setenv("KSV_BENCH_KEEP", "kept", 1);
    ::setenv("KSV_BENCH_GONE", "still here", 1);
    ChildLaunch launch;
    launch.argv = {
        "/bin/sh", "-c",
        "echo \"$KSV_BENCH_KEEP|${KSV_BENCH_GONE-removed}|$KSV_BENCH_NEW|$KSV717N_COM1\"; "
        "echo err >&2; exit 3"};
    launch.env = safePortEnvironment();
    launch.env["KSV_BENCH_GONE"] = std::nullopt;
    launch.env["KSV_BENCH_NEW"] = "set";
    launch.outputPath = out;
    const ChildExit e = runChild(launch, std::chrono::seconds(10));
    ::unsetenv("KSV_BENCH_KEEP");
    ::unsetenv("KSV_BENCH_GONE");

    EXPECT_EQ(e.exitCode, 3);
    EXPECT_EQ(e.signal, 0);
    EXPECT_GT(e.peakRssKb, 0);
    EXPECT_GT(e.wallMs, 0);
    const std::string text = contents(out);
    const std::string com1 = *safePortEnvironment()["KSV717N_COM1"];
    EXPECT_EQ(text, "kept|removed|set|" + com1 + "\nerr\n");
}

TEST(ChildProcess, MappedPortsNeverExist) {
    for (const auto& [name, path] : safePortEnvironment()) {
        ASSERT_TRUE(path.has_value()) << name;
        struct stat st {};
        EXPECT_NE(::stat(path->c_str(), &st), 0) << *path;
    }
    EXPECT_EQ(safePortEnvironment().size(), 4u);
}

TEST(ChildProcess, SignalledOrOverdueChildrenEnd) {
    {
        Child child(ChildLaunch{{"/bin/sleep", "30"}, {}, ""});
        ASSERT_TRUE(child.started());
        EXPECT_TRUE(child.running());
        child.signal(SIGTERM);
        const ChildExit e = child.wait(std::chrono::seconds(10));
        EXPECT_EQ(e.signal, SIGTERM);
        EXPECT_EQ(e.exitCode, -1);
        EXPECT_FALSE(child.running());
    }
    const ChildExit late =
        runChild(ChildLaunch{{"/bin/sleep", "30"}, {}, ""}, std::chrono::milliseconds(100));
    EXPECT_EQ(late.signal, SIGKILL);
    EXPECT_LT(late.wallMs, 10000);

    Child missing(ChildLaunch{{"/nonexistent/program"}, {}, ""});
    EXPECT_FALSE(missing.started());
    EXPECT_EQ(missing.wait(std::chrono::seconds(1)).exitCode, -1);
}

} // namespace
} // namespace ksv::bench
