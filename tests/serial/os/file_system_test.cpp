// The file operations on both systems (under Wine for Windows), in a folder
// whose name, like the user names and folders of the program's users, is
// Cyrillic: every name crosses as UTF-8.

#include "serial/os/file_system.h"
#include "support/scratch_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ksv {
namespace {

using os::FileKind;
using os::FilePrefix;

#ifdef _WIN32
const char* const kDevices[] = {"NUL", "\\\\.\\COM1", "C:\\COM1.ust",
                                "COM1:", "\\\\?\\GLOBALROOT\\Device\\Serial0"};
#else
const char* const kDevices[] = {"/dev/null"};
#endif

class FileSystem : public ::testing::Test, protected test::ScratchFolder {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath(folder)); }
    std::string at(const QString& name) const {
        return (dir.filePath(folder) + '/' + name).toStdString();
    }
    std::string folderPath() const { return dir.filePath(folder).toStdString(); }
    static std::string contentAt(const std::string& p) {
        return contentOf(QString::fromStdString(p)).toStdString();
    }
    QStringList entries() const {
        return QDir(dir.filePath(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    const QString folder = QStringLiteral("Пользователь Иванов/Настройки станций");
};

TEST_F(FileSystem, ReplaceAndCreateLeaveWholeFilesOnly) {
    const QString name = QStringLiteral("станция 654321.ust");
    const std::string p = at(name);
    const struct {
        const char* step;
        bool create;
        std::string bytes;
        bool ok;
        std::string after;
    } steps[] = {
        {"create", true, "первый", true, "первый"},
        {"create over a file", true, "второй", false, "первый"},
        {"replace", false, "третий, длиннее", true, "третий, длиннее"},
        {"replace shorter", false, "4", true, "4"},
    };
    for (const auto& s : steps) {
        bool taken = false;
        const os::FileResult r =
            s.create ? os::createFile(p, s.bytes, &taken) : os::replaceFile(p, s.bytes);
        EXPECT_EQ(r.ok, s.ok) << s.step << ": " << r.reason;
        EXPECT_EQ(taken, s.create && !s.ok) << s.step;
        EXPECT_EQ(contentAt(p), s.after) << s.step;
        EXPECT_EQ(entries(), QStringList{name}) << s.step; // no temporary file left
    }
    EXPECT_EQ(os::createFile(p, "x").reason, "файл с таким именем уже есть");
}

TEST_F(FileSystem, AppendKeepsWhatIsThere) {
    const std::string log = at(QStringLiteral("журнал.csv"));
    for (const char* line : {"строка 1\n", "строка 2\n"})
        ASSERT_TRUE(os::appendToFile(log, line).ok);
    EXPECT_EQ(contentAt(log), "строка 1\nстрока 2\n");
    EXPECT_FALSE(os::appendToFile(folderPath(), "x").ok);
    for (const char* device : kDevices)
        EXPECT_FALSE(os::appendToFile(device, "x").ok) << device;
}

#ifdef _WIN32
// A log that a spreadsheet holds open sharing writing takes the row; one
// held without sharing refuses it after a short wait, and says why.
TEST_F(FileSystem, AppendWhileAnotherProgramHoldsTheFile) {
    const std::string log = at(QStringLiteral("журнал.csv"));
    ASSERT_TRUE(os::appendToFile(log, "1\n").ok);
    const std::wstring name = QString::fromStdString(log).toStdWString();
    const struct {
        DWORD share;
        bool ok;
    } holders[] = {{FILE_SHARE_READ | FILE_SHARE_WRITE, true}, {FILE_SHARE_READ, false}};
    for (const auto& h : holders) {
        const HANDLE other = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, h.share,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        const os::FileResult r = os::appendToFile(log, "2\n");
        CloseHandle(other);
        EXPECT_EQ(r.ok, h.ok) << h.share << ": " << r.reason;
        EXPECT_EQ(r.reason, h.ok ? "" : "файл открыт другой программой");
    }
    EXPECT_EQ(contentAt(log), "1\n2\n");
}
#endif

TEST_F(FileSystem, KindsAndIdentity) {
    const std::string file = at(QStringLiteral("файл.ust"));
    const std::string other = at(QStringLiteral("другой.ust"));
    ASSERT_TRUE(os::replaceFile(file, "a").ok);
    ASSERT_TRUE(os::replaceFile(other, "a").ok);
    const std::string missing = at(QStringLiteral("нет такого.ust"));
    const std::string respelled = folderPath() + "/./" + QStringLiteral("файл.ust").toStdString();

    const struct {
        std::string path;
        FileKind kind;
    } kinds[] = {{file, FileKind::Regular},
                 {folderPath(), FileKind::Folder},
                 {missing, FileKind::Absent},
                 {kDevices[0], FileKind::Other}};
    for (const auto& k : kinds)
        EXPECT_EQ(os::fileKind(k.path), k.kind) << k.path;
    EXPECT_FALSE(os::isLink(file));

    const struct {
        std::string a, b;
        bool same;
    } pairs[] = {
        {file, file, true}, {file, respelled, true}, {file, other, false}, {file, missing, false}};
    for (const auto& p : pairs)
        EXPECT_EQ(os::sameFile(p.a, p.b), p.same) << p.a << " / " << p.b;
}

TEST_F(FileSystem, ReadingRefusesAllButFiles) {
    const std::string file = at(QStringLiteral("данные.ust"));
    ASSERT_TRUE(os::replaceFile(file, "0123456789").ok);
    const FilePrefix prefix = os::readFilePrefix(file, 4);
    EXPECT_EQ(prefix.status, FilePrefix::Ok);
    EXPECT_EQ(prefix.bytes, "0123");
    EXPECT_EQ(prefix.size, 10u);
    EXPECT_EQ(os::readFilePrefix(file, 4, 8).bytes, "89");

    EXPECT_EQ(os::readFilePrefix(at(QStringLiteral("нет.ust")), 4).status, FilePrefix::NotFound);
    const FilePrefix folderRead = os::readFilePrefix(folderPath(), 4);
    EXPECT_EQ(folderRead.status, FilePrefix::Unreadable);
    EXPECT_EQ(folderRead.reason, "это папка, а не файл");
    for (const char* device : kDevices) {
        const FilePrefix r = os::readFilePrefix(device, 4);
        EXPECT_EQ(r.status, FilePrefix::Unreadable) << device;
        EXPECT_EQ(r.reason, "это не обычный файл (устройство или канал)") << device;
        EXPECT_FALSE(os::replaceFile(device, "x").ok) << device;
    }
}

TEST_F(FileSystem, FoldersAreMadeWithThoseAboveThem) {
    const std::string deep = at(QStringLiteral("серия/копии"));
    EXPECT_TRUE(os::makeFolders(deep));
    EXPECT_EQ(os::fileKind(deep), FileKind::Folder);
    EXPECT_TRUE(os::makeFolders(deep)); // there already
    const std::string file = at(QStringLiteral("файл"));
    ASSERT_TRUE(os::replaceFile(file, "x").ok);
    EXPECT_FALSE(os::makeFolders(file));
    EXPECT_EQ(os::makeFolders(file + "/копии").reason, "на месте папки " + file + " — файл");
}

// An original made read-only (Windows: the file's "Только чтение"), or kept
// read-only from the start, is never replaced, also by the administrator;
// a file that is replaced keeps its permissions.
TEST_F(FileSystem, ReadOnlyFileIsNotReplaced) {
    const std::string p = at(QStringLiteral("оригинал.ust"));
    const std::string kept = at(QStringLiteral("0001_архив.ust"));
    ASSERT_TRUE(os::replaceFile(p, "оригинал").ok);
    ASSERT_TRUE(os::createFile(kept, "оригинал", nullptr, true).ok);
    const QString q = QString::fromStdString(p);
    ASSERT_TRUE(QFile::setPermissions(q, QFileDevice::ReadOwner | QFileDevice::ReadUser |
                                             QFileDevice::ReadGroup | QFileDevice::ReadOther));
    for (const std::string& file : {p, kept}) {
        const os::FileResult r = os::replaceFile(file, "новое");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.reason, "файл только для чтения");
        EXPECT_EQ(contentAt(file), "оригинал");
        QFile::setPermissions(QString::fromStdString(file),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    EXPECT_EQ(entries().size(), 2);
#ifndef _WIN32
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(q, mode));
    ASSERT_TRUE(os::replaceFile(p, "новое").ok);
    EXPECT_EQ(QFile::permissions(q) & ~QFileDevice::Permissions(0x0F00), mode); // not "user"
#endif
}

} // namespace
} // namespace ksv
