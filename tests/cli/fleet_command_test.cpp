// fleet against the simulator in fleet mode: sets that take the file, one of
// the other band, one that holds it already, one whose verification fails,
// one that shares a number, one cut off and connected again, one of another
// model; the outputs it must never touch; the signals that stop it between
// two steps; its exit codes.
#include "cli/commands.h"
#include "cli_runner.h"
#include "files/state_archive.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/defaults.h"
#include "operations/fleet_files.h"
#include "operations/fleet_session.h"
#include "support/transceiver_sim.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
    im.setChecksum(CalcCRC(im));
    return im;
}

// The plan: the default metre-band image with channel 1 changed.
Image planImage() {
    Image im = defaultImage(rtVehicleVhf);
    im[16] ^= 0x05;
    im.setChecksum(CalcCRC(im));
    return im;
}

Image vehicle(std::uint32_t number, int changedByte = -1) {
    Image im = defaultImage(rtVehicleVhf);
    if (changedByte >= 0)
        im[changedByte] ^= 0x01;
    return withNumber(im, number);
}

std::vector<SimSet> fiveSets() {
    SimSet failing{vehicle(100005), 0, {}};
    failing.faults.unappliedRecord = 0;
    return {
        {vehicle(100001), 0, {}},
        {vehicle(100002, 17), 0, {}},
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

QStringList cellsOf(const QString& row) {
    return row.split(';');
}

struct FleetBench {
    explicit FleetBench(const std::vector<SimSet>& sets) {
        sim.setFleet(sets);
        sim.start();
        plan = files.writeImage("plan.ust", planImage());
    }
    QStringList fleetArgs() const {
        return {"fleet",         "--port",
                "COM1",          plan,
                "--log",         files.path("log.csv"),
                "--backup-dir",  files.path("backups"),
                "--cards",       files.path("cards"),
                "--archive-dir", files.path("archive")};
    }
    // The states kept of a factory number, newest first.
    std::vector<KeptState> kept(std::uint32_t number) const {
        return StateArchive(files.path("archive"))
            .states(QString::number(number).rightJustified(6, '0'));
    }
    QStringList backups(std::uint32_t number) const {
        return QDir(files.path("backups")).entryList({QStringLiteral("%1-*.ust").arg(number)});
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
                                "  отказ: 1\n  нет соединения: 0\n  ошибка проверки: 1\n"
                                "  запись прервана: 0\n  карт не записано: 0\n"));

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
        const QStringList cells = cellsOf(log[i + 1]);
        ASSERT_EQ(cells.size(), 10) << log[i + 1].toStdString();
        EXPECT_TRUE(time.match(cells[0]).hasMatch()) << cells[0].toStdString();
        EXPECT_EQ(cells[1], QStringLiteral("COM1 (%1)").arg(b.sim.devicePath().c_str()));
        EXPECT_EQ(cells[3], QString::number(100001 + i));
        EXPECT_EQ(cells[5], results[i]);
        EXPECT_EQ(cells[6] != "0", i == 0 || i == 1 || i == 4) << cells[6].toStdString();
        EXPECT_EQ(cells[7], "plan.ust");
        EXPECT_EQ(cells[8], sha);
        EXPECT_EQ(cells[9], "");
        // The backup holds the set's image as it was before the run.
        const QStringList backup = b.backups(100001 + i);
        ASSERT_EQ(backup.size(), 1);
        EXPECT_EQ(b.files.readImage("backups/" + backup[0]), sets[i].image);
        // Cards for the sets that hold the plan.
        EXPECT_EQ(b.files.exists(QStringLiteral("cards/%1.pdf").arg(100001 + i)),
                  i == 0 || i == 1 || i == 3);
    }
    EXPECT_EQ(cellsOf(log[3])[2], "Тарвен-62");

    const auto now = b.sim.fleetImages();
    for (const auto& rec : b.sim.records())
        EXPECT_NE(rec.set, 2) << "a record went to the refused set";
    EXPECT_EQ(now[2], sets[2].image);
    EXPECT_EQ(now[0][16], planImage()[16]);
    EXPECT_EQ(ZnTxt(now[1]), "100002"); // the factory number stays
}

// A number seen before is written and said so; a cut-off write is its own
// result and is finished when the set comes back; a set of another model is
// refused untouched unless --any-type.
TEST(CliFleet, SharedNumberCutOffWriteAndAnotherModel) {
    Image differing = vehicle(300003); // five bytes for the plan to write
    for (int offset : {20, 21, 22})
        differing[offset] ^= 0x01;
    differing.setChecksum(CalcCRC(differing));
    SimSet cut{differing, 0, {}, 2};
    FleetBench b({{vehicle(300001), 0, {}},
                  {vehicle(300001, 17), 0, {}},
                  cut,
                  {withNumber(defaultImage(rtStationaryVhf), 300004), 0, {}}});
    auto args = b.fleetArgs();
    const auto r = runCli(args << "--count"
                               << "5");
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_TRUE(contains(r.out, "  Зав. № 300001 уже встречался в этом сеансе\n"));
    EXPECT_EQ(b.backups(300003).size(), 2);
    const std::vector<KeptState> states = b.kept(300003); // before, half-written, after
    ASSERT_EQ(states.size(), 3);
    const std::string original = states.back().path.toStdString();
    EXPECT_TRUE(contains(r.out, "Подключите эту радиостанцию снова: программа закончит запись. "
                                "Её исходные установки — в файле " +
                                    original + "\n"))
        << r.out;
    Image first;
    ASSERT_TRUE(ReadUSTFile(states.back().path, first).ok());
    EXPECT_EQ(first, differing);
    EXPECT_TRUE(contains(r.out, "  Запись в эту радиостанцию была прервана; её исходные установки "
                                "— в файле " +
                                    original + "\n"));
    EXPECT_TRUE(b.files.exists("cards/300001.pdf") && b.files.exists("cards/300001-2.pdf"));

    const QStringList log = lines(readText(b.files.path("log.csv")));
    ASSERT_EQ(log.size(), 6);
    const QStringList expected[] = {
        {"300001", "записано", "", ""},
        {"300001", "записано", "", "зав. № уже встречался в этом сеансе"},
        {"300003", "запись прервана", "2", "подключите радиостанцию снова"},
        {"300004", "отказ: тип радиостанции Тарвен-51 не совпадает с типом файла Тарвен-52", "0",
         ""},
        {"300003", "записано", "",
         "зав. № уже встречался в этом сеансе, повторное подключение после прерванной записи"},
    };
    for (int i = 0; i < 5; ++i) {
        const QStringList cells = cellsOf(log[i + 1]);
        EXPECT_EQ(cells[3], expected[i][0]);
        EXPECT_EQ(cells[5], expected[i][1]);
        if (!expected[i][2].isEmpty()) {
            EXPECT_EQ(cells[6], expected[i][2]);
        }
        EXPECT_EQ(cells[9], expected[i][3]);
    }
    const auto now = b.sim.fleetImages();
    EXPECT_EQ(now[3], withNumber(defaultImage(rtStationaryVhf), 300004));
    EXPECT_EQ(now[4][16], planImage()[16]);

    FleetBench other({{withNumber(defaultImage(rtStationaryVhf), 300005), 0, {}}});
    args = other.fleetArgs();
    EXPECT_EQ(runCli(args << "--count"
                          << "1"
                          << "--any-type")
                  .code,
              0);
}

// Two sets of the blank number: the cut-off one is told its own original,
// never the other set's; connected again, the run says it cannot tell.
TEST(CliFleet, BlankNumbersNeverNameAnotherSetsOriginal) {
    const Image second = vehicle(0, 17);
    FleetBench b({{vehicle(0), 0, {}}, {second, 0, {}, 1}});
    auto args = b.fleetArgs();
    const auto r = runCli(args << "--count"
                               << "3");
    EXPECT_EQ(r.code, 3) << r.err;
    QString own;
    for (const KeptState& s : b.kept(0)) {
        Image im;
        if (ReadUSTFile(s.path, im).ok() && im == second && own.isEmpty())
            own = s.path;
    }
    ASSERT_FALSE(own.isEmpty());
    EXPECT_TRUE(contains(r.out, "Её исходные установки — в файле " + own.toStdString() + "\n"))
        << r.out;
    EXPECT_TRUE(contains(r.out, "Запись в радиостанцию с зав. № 000000 была прервана, но этот "
                                "номер есть у нескольких радиостанций сеанса"));
}

// The log, the cards and the backups never replace what they must not: a
// completion slip, a link, a FIFO; and a run never starts without a place
// for the originals, unless declined.
TEST(CliFleet, OutputsItMustNotTouchAreRefused) {
    CliFiles files;
    const QString plan = files.writeImage("plan.ust", planImage());
    files.writeImage("other.ust", vehicle(1));
    ASSERT_EQ(::mkfifo(files.path("pipe").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(files.path("log.csv"), files.path("link.csv")));
    const QString backups = files.path("backups");
    struct Case {
        QStringList extra;
        const char* message;
    };
    const Case cases[] = {
        {{"--backup-dir", backups, "--log", plan}, "не может совпадать с входным файлом"},
        {{"--backup-dir", backups, "--log", files.path("other.ust")}, "это файл установок"},
        {{"--backup-dir", backups, "--log", files.path("pipe")}, "это не обычный файл"},
        {{"--no-archive"}, "добавьте --backup-dir ПАПКА (или --no-backup"},
        {{"--log", files.path("link.csv")}, "это символическая ссылка"},
        {{"--backup-dir", backups, "--no-backup"}, "либо --backup-dir, либо --no-backup"},
    };
    for (const Case& c : cases) {
        const auto r = runCli(QStringList{"fleet", "--port", "COM1", plan} + c.extra);
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
    }
    EXPECT_EQ(files.readImage("plan.ust"), planImage());

    FleetBench b({{vehicle(400001), 0, {}}, {vehicle(400002), 0, {}}});
    QDir().mkpath(b.files.path("cards"));
    b.files.writeText("target.txt", "keep");
    QFile::link(b.files.path("target.txt"), b.files.path("cards/400001.pdf"));
    ASSERT_EQ(::mkfifo(b.files.path("cards/400002.pdf").toLocal8Bit().constData(), 0600), 0);
    auto args = b.fleetArgs();
    const auto r = runCli(args << "--count"
                               << "2");
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_EQ(readText(b.files.path("target.txt")), "keep");
    EXPECT_TRUE(readText(b.files.path("cards/400001.pdf")).startsWith("%PDF"));
    const QStringList log = lines(readText(b.files.path("log.csv")));
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(cellsOf(log[2])[9].startsWith("карта не записана: ")) << log[2].toStdString();
    EXPECT_TRUE(contains(r.out, "  карт не записано: 1\n"));
}

// Ctrl+C, a closed terminal and a termination request end the run after
// the write under way, with its row logged.
TEST(CliFleet, StopSignalsDuringAWriteEndTheRunAfterIt) {
    for (const int signal : {SIGINT, SIGHUP, SIGTERM}) {
        FleetBench b({{vehicle(200001), 0, {}}, {vehicle(200002), 0, {}}});
        // Poll, read (5 bytes), the write's two attention bytes, its first record.
        std::thread stop([&] {
            if (b.sim.waitForReceived(9, std::chrono::seconds(20)))
                ::kill(::getpid(), signal);
        });
        const auto r = runCli(b.fleetArgs());
        stop.join();
        EXPECT_EQ(r.code, 0) << signal << r.err;
        EXPECT_TRUE(contains(r.out, "Работа прервана\nИтого радиостанций: 1\n  записано: 1\n"));
        const QStringList log = lines(readText(b.files.path("log.csv")));
        ASSERT_EQ(log.size(), 2);
        EXPECT_EQ(cellsOf(log[1])[5], "записано");
        EXPECT_EQ(b.sim.fleetImages()[1], vehicle(200002));
    }
}

// Output into a pipe whose reader goes away after a number of lines, as
// `fleet … | head -2` has it.
class HeadPipe : public std::streambuf {
public:
    explicit HeadPipe(int lines) : lines_(lines) { EXPECT_EQ(::pipe(fds_), 0); }
    ~HeadPipe() override {
        for (int fd : fds_)
            if (fd >= 0)
                ::close(fd);
    }

protected:
    int overflow(int c) override {
        const char ch = static_cast<char>(c);
        if (c == EOF || ::write(fds_[1], &ch, 1) != 1)
            return EOF;
        if (ch == '\n' && --lines_ == 0) {
            ::close(fds_[0]);
            fds_[0] = -1;
        }
        return c;
    }

private:
    int lines_;
    int fds_[2] = {-1, -1};
};

// The set under way is written and logged; then the run ends as on a stop
// request, and what it still prints is dropped.
TEST(CliFleet, AClosedOutputPipeEndsTheRunAfterTheSetUnderWay) {
    FleetBench b({{vehicle(500001), 0, {}}, {vehicle(500002), 0, {}}});
    HeadPipe head(2);
    std::ostream out(&head);
    std::ostringstream err;
    cli::CliIo io{out, err, false, test::kFastTimings};
    EXPECT_EQ(cli::runCli(b.fleetArgs(), io), 0) << err.str();
    const QStringList log = lines(readText(b.files.path("log.csv")));
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(cellsOf(log[1])[5], "записано");
    EXPECT_EQ(b.sim.fleetImages()[1], vehicle(500002));
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

// Each code by its threshold: one set in that state among good ones.
TEST(CliFleet, ExitCodes) {
    const auto totals = [](std::initializer_list<FleetResult> results, int cards = 0,
                           bool log = false) {
        FleetTotals t;
        for (FleetResult r : results) {
            ++t.summary.counts[static_cast<std::size_t>(r)];
            ++t.summary.sets;
        }
        t.cardsFailed = cards;
        t.logFailed = log;
        return t;
    };
    using R = FleetResult;
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written, R::AlreadyWritten})), 0);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written, R::Refused})), 1);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written, R::NoConnection})), 1);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written}, 1)), 1);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written}, 0, true)), 1);
    EXPECT_EQ(cli::fleetExitCode(totals({})), 2);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Refused, R::VerifyFailed})), 3);
    EXPECT_EQ(cli::fleetExitCode(totals({R::Written, R::WriteCutOff})), 3);
}

// A backup never replaces a file, and one that cannot be written whole
// leaves nothing behind that could pass for an original.
TEST(CliFleet, BackupsAreWholeOrAbsentAndNeverReplaceAFile) {
    CliFiles files;
    const QDateTime when(QDate(2026, 12, 8), QTime(7, 5, 9));
    QString error;
    const Image first = withNumber(defaultImage(rtVehicleVhf), 42);
    EXPECT_EQ(saveBackup(files.path(""), first, when, error),
              files.path("000042-20261208-070509.ust"));
    EXPECT_EQ(saveBackup(files.path(""), withNumber(planImage(), 42), when, error),
              files.path("000042-20261208-070509-2.ust"));
    EXPECT_EQ(files.readImage("000042-20261208-070509.ust"), first);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100; // a full disk, as far as the backup can tell
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failed = saveBackup(files.path(""), first, when.addSecs(1), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_TRUE(contains(error.toStdString(), "не записан"));
    EXPECT_EQ(QDir(files.path("")).entryList({"*070510*"}, QDir::Files | QDir::Hidden).size(), 0);
}

} // namespace
} // namespace ksv
