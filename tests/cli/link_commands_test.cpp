// read, write, verify and ports against the transceiver simulator on a
// pseudo-terminal, mapped to COM1 as the window would use it.
#include "cli_runner.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/normalise.h"
#include "link/write_list.h"
#include "support/sim_on_port.h"

#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ksv {
namespace {

using test::CliFiles;
using test::contains;
using test::runCli;
using test::SimFaults;
using test::SimOnPort;
using test::TransceiverSim;

// What a read sends: attention, two image requests, the service-block request.
const std::vector<std::uint8_t> kReadBytes = {0xFF, 0x01, 0x01, 0x03, 0x07};

Image radioImage() {
    Image im = startupImage(rtVehicleVhf, omUser);
    ZnToBuf(123456, im);
    im.set(map::Firmware, 11);
    im[230] = 0x5A;
    storeChecksum(im);
    return im;
}

struct Bench {
    SimOnPort com1{1, radioImage()};
    TransceiverSim& sim = com1.sim();
    CliFiles files;
};

TEST(CliRead, SavesTheImageAndReportsThePowerLock) {
    Bench b;
    b.sim.setStatus(0x20);
    const auto r = runCli({"read", "--port", "COM1", "-o", b.files.path("r.ust")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Данные считаны"));
    EXPECT_TRUE(contains(r.out, "Тарвен-52, зав. № 123456"));
    EXPECT_TRUE(contains(r.err, "Выход в режим 40(30) Вт заблокирован"));
    EXPECT_EQ(b.files.readImage("r.ust"), radioImage());
    EXPECT_EQ(b.sim.received(), kReadBytes);

    Image wrong = radioImage();
    wrong.setChecksum(static_cast<std::uint8_t>(wrong.checksum() ^ 0x10));
    b.sim.setImage(wrong);
    b.sim.setStatus(0);
    const auto bad =
        runCli({"read", "--port", b.sim.devicePath().c_str(), "-o", b.files.path("w.ust")});
    ASSERT_EQ(bad.code, 0);
    EXPECT_FALSE(contains(bad.out, "Данные считаны"));
    EXPECT_TRUE(contains(bad.err, "контрольная сумма считанных данных неверна"));
    EXPECT_FALSE(contains(bad.err, "заблокирован"));
    EXPECT_EQ(b.files.readImage("w.ust"), wrong);
}

TEST(CliRead, NoConnectionAndUnavailablePorts) {
    Bench b;
    b.sim.setFaults(SimFaults{.silent = true});
    const auto silent = runCli({"read", "--port", "COM1", "-o", b.files.path("r.ust")});
    EXPECT_EQ(silent.code, 2);
    EXPECT_EQ(silent.err, "Нет соединения\n");
    EXPECT_FALSE(b.files.exists("r.ust"));

    const auto absent = runCli({"read", "--port", "COM2", "-o", b.files.path("r.ust")});
    EXPECT_EQ(absent.code, 2);
    EXPECT_EQ(absent.err, "Порт COM2 недоступен: устройство /nonexistent/ksv717n-com2 не найдено "
                          "(задайте устройство порта переменной окружения KSV717N_COM2)\n");

    const QString notTty = b.files.writeText("plain", "x");
    const auto plain = runCli({"read", "--port", notTty, "-o", b.files.path("r.ust")});
    EXPECT_EQ(plain.code, 2);
    EXPECT_TRUE(contains(plain.err, "не является последовательным портом"));
}

// Permission tests mean nothing to root: the check then runs in a child
// that has become the "nobody" user.
int asOrdinaryUser(const std::function<int()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliRead, PermissionDeniedNamesTheDeviceAndTheGroup) {
    const std::string device = "/tmp/ksv717n-cli-locked-" + std::to_string(::getpid());
    ASSERT_TRUE(QFile(QString::fromStdString(device)).open(QIODevice::WriteOnly));
    ::chmod(device.c_str(), 0600);
    const int result = asOrdinaryUser([&] {
        const auto r = runCli({"read", "--port", device.c_str(), "-o", "/tmp/none.ust"});
        const bool ok = r.code == 2 &&
                        contains(r.err, "Порт " + device + " недоступен: нет прав на устройство " +
                                            device + ": добавьте пользователя в группу dialout");
        if (!ok)
            std::fprintf(stderr, "%d %s", r.code, r.err.c_str());
        return ok ? 0 : 1;
    });
    ::unlink(device.c_str());
    EXPECT_EQ(result, 0);
}

TEST(CliWrite, WritesVerifiesAndThenHasNothingToSend) {
    Bench b;
    Image file = radioImage();
    file.setRxCode(2, 20);
    file[231] = 95;   // writable although among the protected bytes
    file[230] = 0x00; // protected: stays as the transceiver has it
    ZnToBuf(7, file); // protected without --number
    const QString path = b.files.writeImage("f.ust", file);
    b.sim.clearLog();

    const auto r =
        runCli({"write", "--port", "COM1", path, "--backup", b.files.path("old.ust")}, true);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "Данные записаны\n"));
    EXPECT_EQ(b.files.readImage("old.ust"), radioImage());
    const Image now = b.sim.image();
    EXPECT_EQ(now.rxCode(2), 20);
    EXPECT_EQ(now[231], 95);
    EXPECT_EQ(now[230], 0x5A);
    EXPECT_EQ(ZnTxt(now), "123456");
    EXPECT_TRUE(CheckCRC(now));
    EXPECT_EQ(b.sim.records().size(), 3u); // byte 18, byte 231 and the checksum
    // The progress bar on a terminal: read, write, verification read.
    EXPECT_TRUE(contains(r.err, "\rЧтение данных: [........................................] 0%"));
    EXPECT_TRUE(
        contains(r.err, "\rЗапись данных: [########################################] 100%\n"));

    b.sim.clearLog();
    const auto again = runCli({"write", "--port", "COM1", path});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(contains(again.out, "Данные уже записаны\n"));
    EXPECT_EQ(b.sim.received(), kReadBytes);
    EXPECT_TRUE(again.err.empty()); // no progress bar when err is no terminal
}

TEST(CliWrite, DryRunShowsTheChangesAndSendsNothingAfterTheRead) {
    Bench b;
    Image file = radioImage();
    file.setTxCode(4, 949);
    file.channel(4).setTxOff(false);
    file[240] = 0x77; // protected: no change to show
    file[251] = 0x01; // writable and not interpreted
    b.sim.clearLog();
    const auto r =
        runCli({"write", "--port", "COM1", b.files.writeImage("f.ust", file), "--dry-run"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(b.sim.received(), kReadBytes);
    EXPECT_EQ(b.sim.image(), radioImage());
    EXPECT_TRUE(contains(r.out, "Будет записано байт: 5"));
    EXPECT_TRUE(contains(r.out, "Канал 4, Частота ПРД, кГц: Откл → 171425\n"));
    EXPECT_TRUE(contains(r.out, "Канал 4, Признак \"ПРД откл.\": Да → Нет\n"));
    EXPECT_TRUE(contains(r.out, "Контрольная сумма: "));
    EXPECT_TRUE(contains(r.out, "Байт 251: 0x00 → 0x01\n"));
    EXPECT_FALSE(contains(r.out, "Байт 240"));
}

TEST(CliWrite, RefusalsSendNothingAfterTheRead) {
    Bench b;
    const struct {
        Image file;
        std::uint8_t status;
        const char* message;
    } cases[] = {
        {startupImage(rtVehicleUhf, omUser), 0,
         "Приемопередатчик предназначен для метрового диапазона\n"},
        {startupImage(rtStationaryVhf, omUser), 0x20,
         "Радиостанция \"Тарвен-52\" не может быть запрограммирована в режим \"5-20-40 Вт\"\n"},
    };
    for (const auto& c : cases) {
        b.sim.setStatus(c.status);
        b.sim.clearLog();
        const auto r = runCli({"write", "--port", "COM1", b.files.writeImage("f.ust", c.file)});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(contains(r.err, c.message)) << r.err;
        EXPECT_EQ(b.sim.received(), kReadBytes);
    }
    EXPECT_EQ(b.sim.image(), radioImage());

    const QString file = b.files.writeImage("n.ust", radioImage());
    const auto number = runCli({"write", "--port", "COM1", file, "--number"});
    EXPECT_EQ(number.code, 1);
    EXPECT_EQ(number.err,
              "Параметр --number действует только в сервисном режиме (--mode service)\n");
    // The backup may not be the file to write, however it is spelled.
    ASSERT_TRUE(QFile::link(file, b.files.path("link.ust")));
    for (const QString& backup : {file, b.files.path("link.ust")}) {
        const auto same = runCli({"write", "--port", "COM1", file, "--backup", backup});
        EXPECT_EQ(same.code, 1);
        EXPECT_TRUE(contains(same.err, "не может совпадать"));
    }
    EXPECT_EQ(b.files.readImage("n.ust"), radioImage());
}

TEST(CliWrite, FactoryNumberInServiceModeWithNumber) {
    Bench b;
    Image file = radioImage();
    ZnToBuf(654321, file);
    const QString path = b.files.writeImage("f.ust", file);
    const auto r = runCli({"write", "--port", "COM1", path, "--mode", "service", "--number"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ZnTxt(b.sim.image()), "654321");
    EXPECT_EQ(b.sim.image().band(), 1);
}

TEST(CliWrite, LineLostDuringTheWrite) {
    Bench b;
    Image file = radioImage();
    file.setRxCode(1, 30);
    file.setRxCode(2, 31);
    const QString path = b.files.writeImage("f.ust", file);

    const QString archive = b.files.path("Архив");
    const QStringList command = {
        "write",         "--port", "COM1", path, "--backup", b.files.path("old.ust"),
        "--archive-dir", archive};
    const auto archived = [&](const QStringList& more) {
        return runCli(QStringList{"archive", "--archive-dir", archive} + more);
    };

    // One record acknowledged, the next one sent: the set may hold part of
    // the file, which is worse than no connection at all.
    b.sim.setFaults(SimFaults{.vanishAtRecord = 1});
    const auto lost = runCli(command);
    EXPECT_EQ(lost.code, 3);
    const std::string original = archived({"123456", "--original"}).out;
    EXPECT_EQ(lost.err, "Нет соединения\nЗапись прервана (подтверждено байт: 1 из 3), "
                        "радиостанция могла измениться — подключите её и повторите запись\n"
                        "Её установки до этой записи — в файле " +
                            original);

    // The same command again: the backup's name is taken, so nothing is read;
    // without it the write goes through, and the archive still holds the original.
    const Image halfWritten = b.sim.image();
    b.com1.replace(halfWritten); // plugged in again
    const auto repeated = runCli(command);
    EXPECT_EQ(repeated.code, 1);
    EXPECT_TRUE(contains(repeated.err, "уже есть: --backup не заменяет файлы")) << repeated.err;
    EXPECT_EQ(b.files.readImage("old.ust"), radioImage());
    ASSERT_EQ(runCli(command.mid(0, 4) + command.mid(6)).code, 0);
    const auto listing = archived({"123456"});
    const QStringList states = QString::fromStdString(listing.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(states.size(), 3) << listing.out;
    EXPECT_TRUE(states[0].contains("0003_") && states[1].contains("0002_"));
    EXPECT_TRUE(states[2].endsWith(QStringLiteral("(исходные)")));
    EXPECT_TRUE(contains(archived({}).out, "123456   Тарвен-52"));
    const QString originalPath = QString::fromStdString(original).trimmed();
    Image kept[2];
    ASSERT_TRUE(ReadUSTFile(originalPath, kept[0]).ok());
    ASSERT_TRUE(ReadUSTFile(states[1].section(' ', -1), kept[1]).ok());
    EXPECT_EQ(kept[0], radioImage());
    EXPECT_EQ(kept[1], halfWritten);

    // Restored from the archive, as the help shows it.
    ASSERT_EQ(runCli({"write", "--port", "COM1", originalPath, "--archive-dir", archive}).code, 0);
    EXPECT_EQ(b.com1.sim().image(), radioImage());
}

// A stop request during the read ends the command with nothing sent; one
// that comes after the first record lets the write finish and be verified.
TEST(CliWrite, StopSignalsNeverCutAWriteShort) {
    const struct {
        int signal;
        std::size_t afterBytes; // received by the set when the signal comes
        int code;
        bool written;
    } cases[] = {{SIGINT, 1, 1, false}, {SIGTERM, 1, 1, false}, {SIGTERM, 6, 0, true}};
    for (const auto& c : cases) {
        Bench b;
        b.sim.setFaults(SimFaults{.chunkSize = 64, .chunkGapMs = 8}); // a read of ~0.1 s
        Image file = radioImage();
        file.setRxCode(1, 30);
        file.setRxCode(2, 31);
        const QString path = b.files.writeImage("f.ust", file);
        b.sim.clearLog();
        std::thread stopper([&] {
            if (b.sim.waitForReceived(c.afterBytes, std::chrono::seconds(20)))
                ::kill(::getpid(), c.signal);
        });
        const auto r = runCli({"write", "--port", "COM1", path});
        stopper.join();
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(b.sim.image().rxCode(2) == 31, c.written);
        EXPECT_EQ(b.sim.records().empty(), !c.written);
        EXPECT_EQ(contains(r.err, "Запись не начата: команда остановлена, радиостанция не "
                                  "изменилась"),
                  !c.written)
            << r.err;
    }
}

// Without the state before it on disk nothing is written, unless the user
// says so with --no-archive.
TEST(CliWrite, NothingIsSentWhoseStateIsNotKept) {
    Bench b;
    Image file = radioImage();
    file.setRxCode(1, 30);
    const QString path = b.files.writeImage("f.ust", file);
    const QString blocked = b.files.writeText("файл", "x") + "/Архив";
    const struct {
        QStringList options;
        int code;
        bool written;
    } cases[] = {{{"--archive-dir", blocked}, 1, false}, {{"--no-archive"}, 0, true}};
    for (const auto& c : cases) {
        b.sim.clearLog();
        const auto r = runCli(QStringList{"write", "--port", "COM1", path} + c.options);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(b.sim.received() == kReadBytes, !c.written);
        EXPECT_EQ(contains(r.err, "Исходные установки радиостанции не сохранены в архиве: на "
                                  "месте папки"),
                  !c.written)
            << r.err;
    }
    EXPECT_EQ(b.sim.image().rxCode(1), 30);
}

TEST(CliWrite, VerificationThatFindsADifferenceExitsWith3) {
    Bench b;
    Image file = radioImage();
    file.setRxCode(1, 30);
    const QString path = b.files.writeImage("f.ust", file);
    b.sim.setRecordDelay(std::chrono::milliseconds(20));
    b.sim.clearLog();
    // Once the last record (byte 16, then the checksum) has arrived, another
    // writable byte of the transceiver changes, as a faulty memory would.
    std::thread spoiler([&] {
        if (b.sim.waitForReceived(2 + 2 * 4 + 5, std::chrono::seconds(10))) {
            Image im = b.sim.image();
            im[map::TxLimit.offset()] ^= 0x01;
            b.sim.setImage(im);
        }
    });
    const auto r = runCli({"write", "--port", "COM1", path});
    spoiler.join();
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, "Ошибка записи данных!\n");
}

TEST(CliVerify, ComparesAtTheWritableOffsets) {
    Bench b;
    Image file = radioImage();
    file[240] = 0x33; // protected: does not count
    const QString path = b.files.writeImage("f.ust", file);
    const auto same = runCli({"verify", "--port", "COM1", path});
    EXPECT_EQ(same.code, 0) << same.err;
    EXPECT_TRUE(contains(same.out, "Данные в радиостанции совпадают с файлом\n"));

    file.setRxSubtone(3, 2);
    const auto differ = runCli({"verify", "--port", "COM1", b.files.writeImage("g.ust", file)});
    EXPECT_EQ(differ.code, 3);
    EXPECT_TRUE(contains(differ.out, "  Канал 3, Субтон ПРМ, Гц: Откл → 69.3\n"));
    EXPECT_EQ(differ.err, "Ошибка записи данных!\n");

    const auto band = runCli({"verify", "--port", "COM1",
                              b.files.writeImage("u.ust", startupImage(rtVehicleUhf, omUser))});
    EXPECT_EQ(band.code, 3);
    EXPECT_TRUE(contains(band.err, "Приемопередатчик предназначен для метрового диапазона"));

    b.sim.setFaults(SimFaults{.silent = true});
    EXPECT_EQ(runCli({"verify", "--port", "COM1", path}).code, 2);
}

TEST(CliPorts, ListsTheComNames) {
    SimOnPort com3(3, Image{}, 0, SimOnPort::Start::Later);
    const auto r = runCli({"ports"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(
        contains(r.out, "  COM3 = " + com3->devicePath() + " (задан переменной KSV717N_COM3)\n"));
    EXPECT_TRUE(contains(r.out, "  COM1 = /nonexistent/ksv717n-com1 (задан переменной "
                                "KSV717N_COM1) — нет такого устройства\n"));
}

} // namespace
} // namespace ksv
