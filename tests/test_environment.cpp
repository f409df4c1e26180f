// Linked into every test binary: before main() runs, the tests get an
// offscreen display and COM port names that lead nowhere, unless the caller
// set them. However a test binary is started (ctest, by hand, for listing its
// cases), no test can reach one of the machine's real serial ports: on some
// machines the first of them is the system console.

#include <cstdlib>
#include <string>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "KSV717N_COM" + std::to_string(n);
            const std::string path = "/nonexistent/ksv717n-com" + std::to_string(n);
            ::setenv(name.c_str(), path.c_str(), 0);
        }
    }
};

const TestEnvironment environment;

} // namespace
