// The archive of states: names, order of keeping (not the clock), one state
// per change and model, the listings, and where it lives by default.

#include "files/state_archive.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "support/scratch_folder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace ksv {
namespace {

Image setImage(RadioType type, std::uint32_t number, int channel2 = 0) {
    Image im = defaultImage(type);
    ZnToBuf(number, im);
    im.setRxCode(2, channel2);
    return im;
}

TEST(StateArchive, KeepsEachChangeOnceInTheOrderOfKeeping) {
    test::ScratchFolder scratch;
    const StateArchive archive(scratch.path(QStringLiteral("Документы/KSV717N/Архив")));
    const QDateTime noon(QDate(2026, 3, 14), QTime(12, 0, 5));
    const struct {
        Image image;
        QDateTime when; // the clock set back for the third state
        KeepResult::Status status;
        const char* name;
    } steps[] = {
        {setImage(rtVehicleVhf, 654321), noon, KeepResult::Kept,
         "0001_2026-03-14_12-00-05_Тарвен-52.ust"},
        {setImage(rtVehicleVhf, 654321), noon, KeepResult::Unchanged,
         "0001_2026-03-14_12-00-05_Тарвен-52.ust"},
        {setImage(rtVehicleVhf, 654321, 7), noon.addYears(-1), KeepResult::Kept,
         "0002_2025-03-14_12-00-05_Тарвен-52.ust"},
        {setImage(rtStationaryVhf, 654321), noon, KeepResult::Kept,
         "0003_2026-03-14_12-00-05_Тарвен-51.ust"},
        {setImage(rtVehicleVhf, 654321, 7), noon, KeepResult::Unchanged,
         "0002_2025-03-14_12-00-05_Тарвен-52.ust"},
        {setImage(rtVehicleUhf, 0), noon, KeepResult::Kept,
         "0001_2026-03-14_12-00-05_Тарвен-62.ust"},
    };
    for (const auto& s : steps) {
        const KeepResult r = archive.keep(s.image, s.when);
        EXPECT_EQ(r.status, s.status) << s.name << r.reason.toStdString();
        EXPECT_EQ(QDir(r.path).dirName(), QString::fromUtf8(s.name));
    }
    scratch.put(QStringLiteral("Документы/KSV717N/Архив/654321/заметка.ust"), "x");

    const std::vector<KeptState> states = archive.states(QStringLiteral("654321"));
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].sequence, 3);
    EXPECT_EQ(states[0].model, QStringLiteral("Тарвен-51"));
    EXPECT_TRUE(states[2].original && !states[0].original);
    EXPECT_EQ(states[2].time, QStringLiteral("2026-03-14 12:00:05"));
    EXPECT_EQ(archive.original(QStringLiteral("654321"))->path, states[2].path);

    const std::vector<ArchivedSet> sets = archive.sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].number, QStringLiteral("000000"));
    EXPECT_EQ(sets[1].states, 3);
    EXPECT_EQ(sets[1].model, QStringLiteral("Тарвен-51"));
    EXPECT_EQ(sets[1].lastTime, QStringLiteral("2026-03-14 12:00:05"));
}

TEST(StateArchive, NumbersAndTheDefaultFolder) {
    const struct {
        const char* typed;
        const char* number;
    } numbers[] = {{"654321", "654321"}, {" 42 ", "000042"}, {"1048575", "1048575"},
                   {"1048576", ""},      {"65432a", ""},     {"", ""}};
    for (const auto& n : numbers)
        EXPECT_EQ(archiveNumber(QString::fromUtf8(n.typed)), QString::fromUtf8(n.number))
            << n.typed;

    const QByteArray chosen = qgetenv("KSV717N_ARCHIVE");
    qunsetenv("KSV717N_ARCHIVE");
    EXPECT_EQ(defaultArchiveRoot(), documentsFolder() + QStringLiteral("/KSV717N/Архив"));
    qputenv("KSV717N_ARCHIVE", "/workshop/archive");
    EXPECT_EQ(defaultArchiveRoot(), QStringLiteral("/workshop/archive"));
    qputenv("KSV717N_ARCHIVE", chosen);
}

} // namespace
} // namespace ksv
