// doctor against the transceiver simulator on a pseudo-terminal.
#include "../link/link_test_util.h"
#include "cli_runner.h"
#include "image/checksum.h"
#include "image/codecs.h"
#include "image/normalise.h"
#include "serial/device_facts.h"
#include "serial/port_map.h"
#include "support/fake_system_tree.h"
#include "support/transceiver_sim.h"
#include "support/unprivileged.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ksv {
namespace {

using test::contains;
using test::runCli;
using test::SimFaults;
using test::TransceiverSim;

struct Radio {
    Radio() {
        Image im = startupImage(rtVehicleVhf, omUser);
        ZnToBuf(654321, im);
        im.set(map::Firmware, 11);
        storeChecksum(im);
        sim.setImage(im);
    }
    test::CliRun doctor() { return runCli({"doctor", "--port", sim.devicePath().c_str()}); }
    TransceiverSim sim;
};

const std::string kPtyNote = "; модемных линий нет (псевдотерминал), CTS не проверялся";

TEST(CliDoctor, AnsweringTransceiverIsReadAndNothingWritten) {
    Radio r;
    r.sim.setStatus(0x20);
    r.sim.start();
    test::ScopedPortMapping com2(2, r.sim.devicePath());
    const auto run = runCli({"doctor", "--port", "com2"});
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(run.out, "COM2 (" + r.sim.devicePath() +
                           "): отвечает Тарвен-52, зав. № 654321, версия ПО 1.1, контрольная "
                           "сумма верна, выход 40(30) Вт заблокирован" +
                           kPtyNote + "\n");
    EXPECT_TRUE(r.sim.records().empty()); // nothing written, ever
}

TEST(CliDoctor, SilentNoisyAndAbsent) {
    Radio r;
    r.sim.setFaults(SimFaults{.silent = true});
    r.sim.start();
    const auto silent = r.doctor();
    EXPECT_EQ(silent.code, 2);
    EXPECT_EQ(silent.out, r.sim.devicePath() +
                              ": радиостанция не отвечает (байт 0xFF отправлен 6 раз, ответа 0x13 "
                              "нет) — проверьте, включена ли она и подключен ли кабель\n");
    EXPECT_EQ(r.sim.received(), std::vector<std::uint8_t>(6, 0xFF));

    r.sim.setFaults(SimFaults{.strayBeforeAttentionAck = -1, .strayByte = 0x00});
    const auto noisy = r.doctor();
    EXPECT_EQ(noisy.code, 2);
    // The acknowledgement comes, but never alone: the handshake a read
    // begins with would fail the same way.
    EXPECT_EQ(noisy.out, r.sim.devicePath() +
                             ": ответ 0x13 приходит вместе с посторонними байтами (12) — помехи "
                             "на линии или плохой контакт в кабеле\n");

    const auto absent = runCli({"doctor", "--port", "COM3"});
    EXPECT_EQ(absent.code, 2);
    EXPECT_EQ(absent.out, "COM3 (/nonexistent/ksv717n-com3): устройство не найдено — проверьте "
                          "переменную KSV717N_COM3\n");
    EXPECT_EQ(runCli({"doctor", "--port", "COM9"}).code, 1);
}

TEST(CliDoctor, PermissionDeniedNamesTheGroupAndTheFix) {
    Radio r;
    const std::string device = r.sim.devicePath();
    if (::geteuid() == 0) { // the way serial ports are given out: group dialout
        const group* dialout = ::getgrnam("dialout");
        ASSERT_EQ(::chown(device.c_str(), 0, dialout ? dialout->gr_gid : 20), 0);
    }
    ASSERT_EQ(::chmod(device.c_str(), ::geteuid() == 0 ? 0660 : 0), 0);
    const std::string group = deviceGroupName(device);
    const std::string expected =
        device + ": нет прав на устройство " + device + ": добавьте пользователя в группу " +
        group + " (sudo usermod -aG " + group + " $USER) и войдите в систему заново\n";
    EXPECT_EQ(test::runUnprivileged([&] {
                  const auto run = r.doctor();
                  return run.out == expected && run.code == 2 ? 0 : 1;
              }),
              0);
}

TEST(CliDoctor, BusyPortNamesTheProgramHoldingIt) {
    Radio r;
    test::ForeignHolder holder(r.sim.devicePath());
    ASSERT_TRUE(holder.holding());
    const auto run = r.doctor();
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(contains(run.out, r.sim.devicePath() + ": устройство " + r.sim.devicePath() +
                                      " занято программой cli_link_tests (pid "))
        << run.out;
    EXPECT_TRUE(contains(run.out, ") — закройте её\n"));
}

// Without --port: the devices behind COM1..COM4 are checked; every other
// serial device is only named (opening it would raise DTR), the console too.
TEST(CliDoctor, ChecksTheComNamesAndOnlyNamesOtherPorts) {
    test::FakeSystemTree tree;
    tree.uart(0, "4");
    tree.console("ttyS0");
    tree.tty("ttyAMA0", "platform/amba/ttyAMA0", "204:64");
    systemPortMap().setPaths(tree.paths());
    Radio r;
    r.sim.start();
    test::ScopedPortMapping com4(4, r.sim.devicePath());
    const auto run = runCli({"doctor"});
    systemPortMap().setPaths(SystemPaths{});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(contains(run.out, "COM1 (/nonexistent/ksv717n-com1): устройство не найдено"));
    EXPECT_TRUE(contains(run.out, "COM4 (" + r.sim.devicePath() + "): отвечает Тарвен-52"));
    EXPECT_TRUE(contains(run.out, tree.dev("ttyS0") +
                                      ": не проверяется — встроенный последовательный порт "
                                      "(16550A); системная консоль — автоопределение его "
                                      "пропускает; чтобы проверить, укажите --port\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, tree.dev("ttyAMA0") +
                                      ": не проверяется — последовательный порт вне имён "
                                      "COM1..COM4; чтобы проверить, укажите --port\n"))
        << run.out;
}

} // namespace
} // namespace ksv
