#include "common/messages.h"
#include "image/mode.h"
#include "ui/app_windows.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The mode is decided from the arguments as given, before Qt removes its own.
    const ksv::OperatingMode mode = ksv::modeFromArgs(argc, argv);
    QApplication app(argc, argv);
    // The title names the program to the desktop; message boxes carry it too.
    // (A display name would be appended to every window caption.)
    QApplication::setApplicationName(ksv::applicationTitle());

    const std::unique_ptr<ksv::TForm1> form1 = ksv::createAppWindows(mode);
    form1->show();
    return app.exec();
}
