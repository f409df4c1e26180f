#include "support/fake_image_host.h"
#include "support/test_app.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/help/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ksv;

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(Help, BookBesideTheExecutableElseTheCompiledInCopy) {
    test::testApp();
    // The build puts the book beside the executables.
    const QUrl beside = HelpWindow::contentsUrl();
    EXPECT_TRUE(beside.isLocalFile());
    EXPECT_EQ(
        beside.toLocalFile(),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/index.html")));

    QTemporaryDir empty;
    const QUrl fallback = HelpWindow::contentsUrl(empty.path());
    EXPECT_EQ(fallback, QUrl(QStringLiteral("qrc:/help/index.html")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/index.html")));

    // The copy beside the executable is the same book.
    EXPECT_EQ(readAll(beside.toLocalFile()), readAll(QStringLiteral(":/help/index.html")));
}

TEST(Help, EveryPageIsReachableAndEveryLinkResolves) {
    test::testApp();
    HelpWindow::contentsUrl(QStringLiteral("/nonexistent")); // registers the compiled-in copy
    const QDir book(QStringLiteral(":/help"));
    const QStringList pages = book.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 8);

    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(#[^\"]*)?\""));
    const QString contents = readAll(book.filePath(QStringLiteral("index.html")));
    for (const QString& page : pages) {
        const QString text = readAll(book.filePath(page));
        EXPECT_TRUE(text.contains(QStringLiteral("<title>"))) << page.toStdString();
        if (page != QStringLiteral("index.html")) {
            EXPECT_TRUE(contents.contains(QStringLiteral("href=\"") + page + QStringLiteral("\"")))
                << page.toStdString() << " is not in the contents";
        }
        for (auto it = href.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.isEmpty() || target.contains(QStringLiteral("://")))
                continue;
            EXPECT_TRUE(QFile::exists(book.filePath(target)))
                << page.toStdString() << " links to missing " << target.toStdString();
        }
    }
}

TEST(Help, OneWindowBroughtBackToTheContentsAndClosedOnRequest) {
    test::testApp();
    HelpWindow help;
    help.showContents();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.browser()->source(), HelpWindow::contentsUrl());
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Содержание")));
    EXPECT_FALSE(help.testAttribute(Qt::WA_QuitOnClose));

    help.browser()->setSource(QUrl(QStringLiteral("files.html")));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Файл установок")));
    help.showContents();
    EXPECT_EQ(help.browser()->source(), HelpWindow::contentsUrl());
    EXPECT_TRUE(help.browser()->isBackwardAvailable());

    help.closeHelp();
    EXPECT_FALSE(help.isVisible());
}

TEST(About, CaptionSizeAndContents) {
    test::testApp();
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе..."));
    EXPECT_EQ(about.minimumSize(), QSize(468, 294));
    EXPECT_EQ(about.maximumSize(), QSize(468, 294));
    EXPECT_FALSE(about.windowFlags() & Qt::WindowMinMaxButtonsHint);

    QString text;
    for (const QLabel* l : about.findChildren<QLabel*>())
        text += l->text() + QLatin1Char('\n');
    for (const char* needle :
         {"KSV717N", "1.2", "Тарвен-51", "Тарвен-52", "Тарвен-53", "Тарвен-61", "Тарвен-62",
          "Тарвен-63", "Qt 6", "LGPL", "Terminus", "SIL Open Font License 1.1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(needle))) << needle;

    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("OK"));
}

TEST(Help, OpenHelpAndRawEditorDoNotKeepTheProgramRunning) {
    test::testApp();
    test::FakeImageHost host;
    host.mode = omService;
    RawEditor editor(host);
    HelpWindow help;
    auto* main = new QWidget;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    editor.editCurrentImage();
    help.showContents();

    // Closing the main window ends the event loop although both stay open;
    // the guard only fires when they keep it running.
    QTimer::singleShot(0, main, &QWidget::close);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}
