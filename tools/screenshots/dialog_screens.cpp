// Grabs the raw data editor, the help window and the About window into PNG
// files, for looking at them: dialog_screens <folder>.

#include "image/defaults.h"
#include "support/fake_image_host.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/help/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTextBrowser>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    ksv::test::FakeImageHost host;
    host.mode = ksv::omService;
    ksv::LoadDefault(ksv::rtVehicleVhf, host.current);
    host.commitEdits();
    ksv::RawEditor editor(host);
    editor.editCurrentImage();

    ksv::HelpWindow help;
    help.showContents();

    ksv::AboutDialog about;
    about.show();

    const auto save = ksv::makeSaveDialog(nullptr, QStringLiteral("000000"));
    save->show();

    QTimer::singleShot(500, [&] {
        editor.grab().save(out.filePath(QStringLiteral("files-raw-editor.png")));
        help.grab().save(out.filePath(QStringLiteral("files-help.png")));
        help.browser()->setSource(QUrl(QStringLiteral("modes.html")));
        QTimer::singleShot(200, [&] {
            help.grab().save(out.filePath(QStringLiteral("files-help-modes.png")));
            about.grab().save(out.filePath(QStringLiteral("files-about.png")));
            save->grab().save(out.filePath(QStringLiteral("files-save-dialog.png")));
            help.resize(760, 900);
            const QStringList pages = {QStringLiteral("quickstart.html"),
                                       QStringLiteral("messages.html"),
                                       QStringLiteral("messages.html#noconnect"),
                                       QStringLiteral("messages.html#failedwrite"),
                                       QStringLiteral("fleet.html"),
                                       QStringLiteral("connect.html")};
            for (const QString& page : pages) {
                help.browser()->setSource(QUrl(page));
                for (int i = 0; i < 5; ++i)
                    QCoreApplication::processEvents();
                QString name = page;
                name.replace(QStringLiteral(".html#"), QStringLiteral("-")).remove(".html");
                help.grab().save(out.filePath(QStringLiteral("files-help-%1.png").arg(name)));
            }
            app.quit();
        });
    });
    return app.exec();
}
