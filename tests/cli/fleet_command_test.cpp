// fleet against the simulator in fleet mode: sets that take the file, one of
// the other band, one that holds it already, one whose verification fails,
// and Ctrl+C in the middle of a write.
#include "cli/fleet_files.h"
#include "cli_runner.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "support/transceiver_sim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace ksv {
namespace {

using test::CliFiles;
using test::contains;
using test::runCli;
using test::SimSet;
using test::TransceiverSim;

Image withNumber(Image im, std::uint32_t number) {
    ZnToBuf(number, im);
    im[off::Checksum] = CalcCRC(im);
    return im;
}

// The plan: the default metre-band image with channel 1 changed.
Image planImage() {
    Image im = defaultImage(rtVehicleVhf);
    im[16] ^= 0x05;
    im[off::Checksum] = CalcCRC(im);
    return im;
}

std::vector<SimSet> fiveSets() {
    SimSet failing{withNumber(defaultImage(rtVehicleVhf), 100005), 0, {}};
    failing.faults.unappliedRecord = 0;
    return {
        {withNumber(defaultImage(rtVehicleVhf), 100001), 0, {}},
        {withNumber(defaultImage(rtStationaryVhf), 100002), 0, {}},
        {withNumber(defaultImage(rtVehicleUhf), 100003), 0, {}},
        {withNumber(planImage(), 100004), 0, {}},
        failing,
    };
}

QStringList lines(const QString& text) {
    return text.split('\n', Qt::SkipEmptyParts);
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct FleetBench {
    explicit FleetBench(const std::vector<SimSet>& sets) {
        sim.setFleet(sets);
        sim.start();
        plan = files.writeImage("plan.ust", planImage());
    }
    QStringList fleetArgs() const {
        return {"fleet",        "--port",
                "COM1",         plan,
                "--log",        files.path("log.csv"),
                "--backup-dir", files.path("backups"),
                "--cards",      files.path("cards")};
    }
    TransceiverSim sim;
    test::ScopedPortMapping com1{1, sim.devicePath()};
    CliFiles files;
    QString plan;
};

TEST(CliFleet, FiveSetsAreRecordedBackedUpAndCarded) {
    const std::vector<SimSet> sets = fiveSets();
    FleetBench b(sets);
    b.files.writeText("log.csv", "earlier row");
    auto args = b.fleetArgs();
    const auto r = runCli(args << "--count"
                               << "5");
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_EQ(QString::fromStdString(r.out).count(QStringLiteral("Подключите радиостанцию…")), 5);
    EXPECT_TRUE(contains(r.out, "Итого радиостанций: 5\n  записано: 2\n  уже записано: 1\n"
                                "  отказ: 1\n  нет соединения: 0\n  ошибка проверки: 1\n"));

    const QStringList log = lines(readText(b.files.path("log.csv")));
    ASSERT_EQ(log.size(), 6);
    EXPECT_EQ(log[0], "earlier row");
    const QString sha =
        QCryptographicHash::hash(
            QByteArray(reinterpret_cast<const char*>(planImage().bytes().data()), 256),
            QCryptographicHash::Sha256)
            .toHex();
    const char* results[] = {"записано", "записано",
                             "отказ: Приемопередатчик предназначен для дециметрового диапазона",
                             "уже записано", "ошибка проверки"};
    const QRegularExpression time(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)");
    for (int i = 0; i < 5; ++i) {
        const QStringList cells = log[i + 1].split(';');
        ASSERT_EQ(cells.size(), 9) << log[i + 1].toStdString();
        EXPECT_TRUE(time.match(cells[0]).hasMatch()) << cells[0].toStdString();
        EXPECT_EQ(cells[1], QStringLiteral("COM1 (%1)").arg(b.sim.devicePath().c_str()));
        EXPECT_EQ(cells[3], QString::number(100001 + i));
        EXPECT_EQ(cells[5], results[i]);
        EXPECT_EQ(cells[6] != "0", i == 0 || i == 1 || i == 4) << cells[6].toStdString();
        EXPECT_EQ(cells[7], "plan.ust");
        EXPECT_EQ(cells[8], sha);
        // The backup holds the set's image as it was before the run.
        const QStringList backup =
            QDir(b.files.path("backups")).entryList({QStringLiteral("%1-*.ust").arg(100001 + i)});
        ASSERT_EQ(backup.size(), 1);
        EXPECT_EQ(b.files.readImage("backups/" + backup[0]), sets[i].image);
        // Cards for the sets that hold the plan.
        EXPECT_EQ(b.files.exists(QStringLiteral("cards/%1.pdf").arg(100001 + i)),
                  i == 0 || i == 1 || i == 3);
    }
    EXPECT_EQ(log[3].split(';')[2], "Тарвен-62");

    const auto now = b.sim.fleetImages();
    for (const auto& rec : b.sim.records())
        EXPECT_NE(rec.set, 2) << "a record went to the refused set";
    EXPECT_EQ(now[2], sets[2].image);
    EXPECT_EQ(now[0][16], planImage()[16]);
    EXPECT_EQ(ZnTxt(now[1]), "100002"); // the factory number stays
}

TEST(CliFleet, CtrlCDuringAWriteEndsTheRunAfterIt) {
    FleetBench b({{withNumber(defaultImage(rtVehicleVhf), 200001), 0, {}},
                  {withNumber(defaultImage(rtVehicleVhf), 200002), 0, {}}});
    // Poll, read (5 bytes), the write's two attention bytes, its first record.
    std::thread ctrlC([&] {
        if (b.sim.waitForReceived(9, std::chrono::seconds(20)))
            ::kill(::getpid(), SIGINT);
    });
    const auto r = runCli(b.fleetArgs());
    ctrlC.join();
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Данные записаны"));
    EXPECT_TRUE(contains(r.out, "Работа прервана\nИтого радиостанций: 1\n  записано: 1\n"));
    const QStringList log = lines(readText(b.files.path("log.csv")));
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[1].contains(";записано;"));
    EXPECT_EQ(b.sim.fleetImages()[1], withNumber(defaultImage(rtVehicleVhf), 200002));
}

TEST(CliFleet, NoSetAnsweredAndBadOptions) {
    FleetBench b({});
    b.sim.setFaults(test::SimFaults{.silent = true});
    auto args = b.fleetArgs();
    std::thread ctrlC([&] {
        if (b.sim.waitForReceived(3, std::chrono::seconds(20)))
            ::kill(::getpid(), SIGINT);
    });
    const auto none = runCli(args);
    ctrlC.join();
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(contains(none.out, "Итого радиостанций: 0"));
    EXPECT_EQ(lines(readText(b.files.path("log.csv"))).size(), 1); // the header

    EXPECT_EQ(runCli(b.fleetArgs() << "--count"
                                   << "0")
                  .code,
              1);
    const auto help = runCli({"--help"});
    EXPECT_TRUE(contains(help.out, "ksv717n-cli fleet --port PORT FILE.ust"));
}

TEST(CliFleet, BackupsNeverReplaceAFile) {
    CliFiles files;
    const QDateTime when(QDate(2026, 12, 8), QTime(7, 5, 9));
    QString error;
    const Image first = withNumber(defaultImage(rtVehicleVhf), 42);
    EXPECT_EQ(cli::saveBackup(files.path(""), first, when, error),
              files.path("000042-20261208-070509.ust"));
    EXPECT_EQ(cli::saveBackup(files.path(""), withNumber(planImage(), 42), when, error),
              files.path("000042-20261208-070509-2.ust"));
    EXPECT_EQ(files.readImage("000042-20261208-070509.ust"), first);
}

} // namespace
} // namespace ksv
