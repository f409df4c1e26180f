// The link tests run on a QCoreApplication: port events reach their handlers
// through the event loop. No window is needed.
#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    // Started by hand or for listing the tests: no display is needed, and no
    // COM port name may lead to one of the machine's real serial ports.
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "KSV717N_COM" + std::to_string(n);
        ::setenv(name.c_str(), ("/nonexistent/ksv717n-com" + std::to_string(n)).c_str(), 0);
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
