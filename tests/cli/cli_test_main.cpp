// The command line's tests run on an application object, as ksv717n-cli
// does: port events reach the exchange through the event loop, and the PDF
// printer needs one.
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
