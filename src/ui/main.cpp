#include "common/messages.h"
#include "image/mode.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    // The mode is decided from the arguments as given, before Qt removes its own.
    const ksv::OperatingMode mode = ksv::modeFromArgs(argc, argv);
    (void)mode;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ksv::applicationTitle());
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Программа KSV717N v1.1"));
    w.resize(632, 434);
    w.show();
    return app.exec();
}
