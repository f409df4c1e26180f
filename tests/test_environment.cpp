// Linked into every test binary: before main() runs, the tests get an
// offscreen display and COM port names that lead nowhere, unless the caller
// set them. However a test binary is started (ctest, by hand, for listing its
// cases), no test can reach one of the machine's real serial ports: on some
// machines the first of them is the system console.
//
// Every test binary also gets a home folder of its own, with the
// configuration, cache and data folders and the archive of the states read
// from sets inside it, removed when the binary ends: whatever Qt or a test
// would store there never reaches the home or the documents of whoever runs
// the tests. A test that looks into an archive gives its own folder.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string makeTemporaryHome() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ksv-test-home-XXXXXX";
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

struct TestEnvironment {
    TestEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "KSV717N_COM" + std::to_string(n);
            const std::string path = "/nonexistent/ksv717n-com" + std::to_string(n);
            ::setenv(name.c_str(), path.c_str(), 0);
        }
        // Without a folder of its own the home leads nowhere rather than to
        // the real one.
        if (home.empty())
            home = "/nonexistent/ksv-test-home";
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
        ::setenv("KSV717N_ARCHIVE", (home + "/archive").c_str(), 1);
    }
    ~TestEnvironment() {
        // A child a test forked ends without removing its parent's home.
        if (::getpid() == owner) {
            std::error_code ignored;
            std::filesystem::remove_all(home, ignored);
        }
    }

    std::string home = makeTemporaryHome();
    pid_t owner = ::getpid();
};

const TestEnvironment environment;

} // namespace
