// The help book cannot drift from the program: every page is reached from the
// contents, every link and anchor resolves, the compiled-in copy is the same
// book, and every program message the book quotes is one of the program's texts.

#include "help_book_check.h"
#include "support/test_app.h"
#include "ui/help/help_views.h"
#include "ui/help/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace ksv;
using namespace ksv::test;

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QDir compiledInBook() {
    testApp();
    HelpWindow::contentsUrl(QStringLiteral("/nonexistent")); // registers the compiled-in copy
    return QDir(QStringLiteral(":/help"));
}

QStringList pagesOf(const QDir& book) {
    return book.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

// Each system's view of a page.
QString pageIn(const QDir& book, const QString& page, HelpSystem system) {
    return helpPageFor(readAll(book.filePath(page)), system);
}

} // namespace

// In each system's view: every page is reached from the contents and every
// link and anchor resolves.
TEST(HelpBook, EveryPageReachedFromTheContentsAndEveryAnchorResolves) {
    const QDir book = compiledInBook();
    for (const HelpSystem system : {HelpSystem::Linux, HelpSystem::Windows}) {
        SCOPED_TRACE(system == HelpSystem::Linux ? "Linux" : "Windows");
        QSet<QString> reached{QStringLiteral("index.html")};
        QStringList queue{QStringLiteral("index.html")};
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            for (const HelpLink& link : helpLinks(pageIn(book, page, system))) {
                const QString target = link.page.isEmpty() ? page : link.page;
                ASSERT_TRUE(QFile::exists(book.filePath(target)))
                    << page.toStdString() << " links to missing " << target.toStdString();
                if (!link.anchor.isEmpty()) {
                    EXPECT_TRUE(helpIds(pageIn(book, target, system)).contains(link.anchor))
                        << page.toStdString() << " links to missing #" << link.anchor.toStdString();
                }
                if (target.endsWith(QStringLiteral(".html")) && !reached.contains(target)) {
                    reached.insert(target);
                    queue << target;
                }
            }
        }
        for (const QString& page : pagesOf(book))
            EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is not reachable";
    }
}

// Each reader sees the steps of their own system only; every mark names a
// system and is closed.
TEST(HelpBook, EachSystemSeesItsOwnSteps) {
    const QDir book = compiledInBook();
    const QRegularExpression mark(QStringLiteral("<!--(only (linux|windows)|/only)-->|<!--only"));
    const struct {
        HelpSystem system;
        QStringList foreign;
    } views[] = {
        {HelpSystem::Windows, {"dialout", "sudo", "systemctl", "ModemManager", "/dev/", "SIGTERM"}},
        {HelpSystem::Linux, {"Диспетчер устройств", "Проводник", "PATH", "Ctrl+Break"}},
    };
    for (const QString& page : pagesOf(book)) {
        const QString html = readAll(book.filePath(page));
        int depth = 0;
        for (auto m = mark.globalMatch(html); m.hasNext();) {
            const QString found = m.next().captured();
            EXPECT_TRUE(found.endsWith(QStringLiteral("-->")))
                << page.toStdString() << ": " << found.toStdString();
            depth += found == QStringLiteral("<!--/only-->") ? -1 : 1;
            EXPECT_TRUE(depth == 0 || depth == 1)
                << page.toStdString() << ": marks nested or unopened";
        }
        EXPECT_EQ(depth, 0) << page.toStdString() << ": a mark is not closed";
        for (const auto& view : views)
            for (const QString& word : view.foreign)
                EXPECT_FALSE(helpPageFor(html, view.system).contains(word))
                    << page.toStdString() << " shows " << word.toStdString()
                    << " to the other system";
    }
}

// As the help window shows each system's view: no word runs into the next
// where a part for the other system was left out («ports(см.»).
TEST(HelpBook, NoWordsRunTogetherWhereTheOtherSystemsPartIsLeftOut) {
    const QDir book = compiledInBook();
    const QRegularExpression glued(QStringLiteral("[\\p{L}\\p{N}»)]\\(\\p{L}"));
    for (const QString& page : pagesOf(book)) {
        for (const HelpSystem system : {HelpSystem::Linux, HelpSystem::Windows}) {
            QTextDocument shown;
            shown.setHtml(pageIn(book, page, system));
            const auto m = glued.match(shown.toPlainText());
            EXPECT_FALSE(m.hasMatch())
                << page.toStdString() << ": «"
                << shown.toPlainText().mid(m.capturedStart() - 20, 40).toStdString() << "»";
        }
    }
}

// Each text of the status bar's archive panel is explained in the help.
TEST(HelpBook, ExplainsEveryArchiveStatus) {
    const QDir book = compiledInBook();
    QStringList quoted;
    for (const QString& page : pagesOf(book))
        for (const QStringList& pieces : quotedMessages(readAll(book.filePath(page))))
            quoted << pieces.join(QStringLiteral(" … "));
    for (const char* status : {"Архив: не сохранено", "Архив: без изменений"})
        EXPECT_TRUE(quoted.filter(QRegularExpression(QStringLiteral("^") + status)).size() > 0)
            << status;
}

TEST(HelpBook, CompiledInCopyHoldsEveryPageOfTheFolder) {
    const QDir compiled = compiledInBook();
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/help"));
    ASSERT_FALSE(pagesOf(folder).isEmpty());
    EXPECT_EQ(pagesOf(folder), pagesOf(compiled));
    for (const QString& page : pagesOf(folder))
        EXPECT_EQ(readAll(folder.filePath(page)), readAll(compiled.filePath(page)))
            << page.toStdString();
}

TEST(HelpBook, QuotesOnlyMessagesTheProgramHas) {
    const QDir book = compiledInBook();
    const QStringList literals = sourceLiterals(QStringLiteral(KSV_SOURCE_DIR));
    int quoted = 0;
    for (const QString& page : pagesOf(book)) {
        for (const QStringList& pieces : quotedMessages(readAll(book.filePath(page)))) {
            ++quoted;
            EXPECT_TRUE(messageInLiterals(pieces, literals))
                << page.toStdString() << " quotes «"
                << pieces.join(QStringLiteral(" … ")).toStdString()
                << "», which the program does not say";
        }
    }
    EXPECT_GE(quoted, 40); // the troubleshooting page alone quotes every message
}

TEST(HelpBook, MessageMatchingFollowsTheSourceText) {
    const QStringList literals = literalsOf(QStringLiteral(
        "// \"В комментарии\"\n"
        "auto a = QStringLiteral(\"Порт COM%1 не доступен\").arg(n); char q = '\"';\n"
        "auto b = \"Тип не определен. \"\n    \"Используйте \\\"новую\\\"\\n версию.\";\n"
        "auto c = R\"x(Сырая \"строка\")x\"; int d = 1'000;"));
    const struct {
        QStringList pieces;
        bool found;
    } cases[] = {
        {{QStringLiteral("Порт COM"), QStringLiteral("не доступен")}, true},
        {{QStringLiteral("Порт COM1 не доступен")}, false},
        {{QStringLiteral("не доступен"), QStringLiteral("Порт COM")}, false},
        {{QStringLiteral("Тип не определен. Используйте \"новую\" версию.")}, true},
        {{QStringLiteral("Сырая \"строка\"")}, true},
        {{QStringLiteral("Используйте"), QStringLiteral("Тип не определен.")}, false},
        {{QStringLiteral("Порт COM%1 не доступен"), QStringLiteral("Сырая \"строка\"")}, true},
        {{QStringLiteral("В комментарии")}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messageInLiterals(c.pieces, literals), c.found)
            << c.pieces.join('|').toStdString();
    const QList<QStringList> expected{{QStringLiteral("Файл"), QStringLiteral("не найден \"x\"")}};
    EXPECT_EQ(quotedMessages(QStringLiteral("«<span class=\"msg\">Файл <var>имя</var> "
                                            "не\n найден &quot;x&quot;</span>»")),
              expected);
}
