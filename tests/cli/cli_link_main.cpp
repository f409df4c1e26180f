// The exchange tests run on an application object: port events reach the
// exchange through the event loop, as in ksv717n-cli itself.
#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    // No COM port name may lead to one of the machine's real serial ports.
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "KSV717N_COM" + std::to_string(n);
        ::setenv(name.c_str(), ("/nonexistent/ksv717n-com" + std::to_string(n)).c_str(), 1);
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
