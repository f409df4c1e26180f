#include "image/mode.h"
#include "ui/dialogs/messages.h"
#include "ui/main/create_app_windows.h"
#include "ui/main/main_window.h"
#include "ui/main/no_stored_settings.h"
#include "ui/main/ui_font.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    // The mode is decided from the arguments as given, before Qt removes its own.
    const ksv::OperatingMode mode = ksv::modeFromArgs(argc, argv);
    QApplication app(argc, argv);
    ksv::storeNoQtSettings();
    ksv::useFontWithCyrillic();
    // The title names the program to the desktop; message boxes carry it too.
    // (A display name would be appended to every window caption.)
    QApplication::setApplicationName(ksv::applicationTitle());

    // The program speaks Russian whatever the desktop's language: Qt's own
    // dialogs (file dialogs, the print dialog, standard buttons) follow it.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    const std::unique_ptr<ksv::MainWindow> window = ksv::createAppWindows(mode);
    window->show();
    return app.exec();
}
