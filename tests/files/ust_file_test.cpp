#include "files/ust_file.h"
#include "image/checksum.h"
#include "image/defaults.h"
#include "support/scratch_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace ksv;

namespace {

// A valid VHF image whose bytes are all distinct from a zero image.
Image sampleImage() {
    Image im = defaultImage(rtStationaryVhf);
    for (int i = 0; i < 16; ++i)
        im[static_cast<std::size_t>(232 + i)] = static_cast<std::uint8_t>(0xA0 + i);
    return im;
}

class UstFile : public ::testing::Test, protected ksv::test::ScratchFolder {};

} // namespace

TEST_F(UstFile, OnlyExactly256BytesAreAccepted) {
    const QByteArray good = bytesOf(sampleImage());
    const Image untouched = defaultImage(rtRepeaterUhf);

    for (int length : {0, 255, 257, 512}) {
        QByteArray content = good;
        content.resize(length, '\x11');
        const QString p = put(QStringLiteral("len.ust"), content);
        Image im = untouched;
        const UstReadResult r = ReadUSTFile(p, im);
        EXPECT_EQ(r.status, UstReadStatus::Damaged) << length;
        EXPECT_EQ(im, untouched) << length;
        EXPECT_EQ(readFailureMessage(r, p), QStringLiteral("Файл ") + QDir::toNativeSeparators(p) +
                                                QStringLiteral(" поврежден"));
    }

    Image im = untouched;
    EXPECT_TRUE(ReadUSTFile(put(QStringLiteral("ok.ust"), good), im).ok());
    EXPECT_EQ(bytesOf(im), good);
}

TEST_F(UstFile, HugeFileIsRefusedByItsLength) {
    const QString p = path(QStringLiteral("huge.ust"));
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(qint64(4) << 30)); // sparse 4 GiB
    f.close();

    Image im;
    const UstReadResult r = ReadUSTFile(p, im);
    EXPECT_EQ(r.status, UstReadStatus::Damaged);
    EXPECT_TRUE(r.reason.contains(QStringLiteral("4294967296"))) << r.reason.toStdString();
    EXPECT_EQ(im, Image());
}

TEST_F(UstFile, BandNibbleDecidesAndChecksumIsNotChecked) {
    struct Case {
        std::uint8_t byte228;
        bool accepted;
    };
    for (const Case c : {Case{0x10, false}, Case{0x00, false}, Case{0x13, false}, Case{0xFF, false},
                         Case{0x21, true}, Case{0x12, true}, Case{0xF1, true}}) {
        Image file = sampleImage();
        file[map::Band.offset()] = c.byte228;
        file.setChecksum(static_cast<std::uint8_t>(CalcCRC(file) ^ 0x5A)); // always wrong
        const QString p = put(QStringLiteral("band.ust"), bytesOf(file));

        Image im;
        const UstReadResult r = ReadUSTFile(p, im);
        EXPECT_EQ(r.ok(), c.accepted) << int(c.byte228);
        EXPECT_EQ(im, c.accepted ? file : Image()) << int(c.byte228);
        if (!c.accepted) {
            EXPECT_EQ(r.status, UstReadStatus::Damaged);
        }
    }
}

TEST_F(UstFile, MissingFolderAndSpecialFilesGiveClearMessages) {
    Image im;
    const QString missing = path(QStringLiteral("nothing.ust"));
    UstReadResult r = ReadUSTFile(missing, im);
    EXPECT_EQ(r.status, UstReadStatus::NotFound);
    EXPECT_EQ(readFailureMessage(r, missing), QStringLiteral("Файл ") +
                                                  QDir::toNativeSeparators(missing) +
                                                  QStringLiteral(" не найден"));
    EXPECT_EQ(ReadUSTFile(path(QStringLiteral("no/such/dir.ust")), im).status,
              UstReadStatus::NotFound);
    EXPECT_EQ(ReadUSTFile(QString(), im).status, UstReadStatus::NotFound);

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ust")));
    const QString folder = path(QStringLiteral("folder.ust"));
    r = ReadUSTFile(folder, im);
    EXPECT_EQ(r.status, UstReadStatus::Unreadable);
    EXPECT_TRUE(readFailureMessage(r, folder).startsWith(QStringLiteral("Файл ") +
                                                         QDir::toNativeSeparators(folder)));
    EXPECT_TRUE(r.reason.contains(QStringLiteral("папка")));

#ifdef _WIN32
    EXPECT_EQ(ReadUSTFile(QStringLiteral("NUL"), im).status, UstReadStatus::Unreadable);
    EXPECT_EQ(ReadUSTFile(QStringLiteral("\\\\.\\COM1"), im).status, UstReadStatus::Unreadable);
#else
    // A FIFO without a writer would block an ordinary open for ever.
    const QString fifo = path(QStringLiteral("pipe.ust"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    r = ReadUSTFile(fifo, im);
    EXPECT_EQ(r.status, UstReadStatus::Unreadable);

    EXPECT_EQ(ReadUSTFile(QStringLiteral("/dev/zero"), im).status, UstReadStatus::Unreadable);
#endif
    EXPECT_EQ(im, Image());
}

TEST_F(UstFile, SavedFileReadsBackByteForByte) {
    const Image im = sampleImage();
    const QString p = path(QStringLiteral("saved.ust"));
    ASSERT_TRUE(WriteUSTFile(p, im).ok);
    EXPECT_EQ(contentOf(p), bytesOf(im));

    // Replacing an existing, longer file leaves exactly the new 256 bytes.
    put(QStringLiteral("saved.ust"), QByteArray(1000, 'x'));
    ASSERT_TRUE(WriteUSTFile(p, im).ok);
    Image back;
    ASSERT_TRUE(ReadUSTFile(p, back).ok());
    EXPECT_EQ(back, im);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("saved.ust")});
}

TEST_F(UstFile, SaveOverFolderOrFifoFailsAndLeavesThem) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ust")));
    EXPECT_FALSE(WriteUSTFile(path(QStringLiteral("folder.ust")), sampleImage()).ok);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder.ust"))).isDir());

#ifdef _WIN32
    EXPECT_FALSE(WriteUSTFile(QStringLiteral("NUL"), sampleImage()).ok);
#else
    const QString fifo = path(QStringLiteral("pipe.ust"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(WriteUSTFile(fifo, sampleImage()).ok);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
#endif

    EXPECT_FALSE(WriteUSTFile(path(QStringLiteral("no/such/folder/x.ust")), sampleImage()).ok);
}
