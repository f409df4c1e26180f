#include "link/port_doctor.h"

#include "image/checksum.h"
#include "image/codecs.h"
#include "link/comm_port.h"
#include "link/transfer_protocol.h"

#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace ksv {
namespace {

namespace fs = std::filesystem;

// The protocol's handshake: the attention byte, repeated five times, one
// timer period apart.
constexpr int kAttentionSends = 6;
constexpr std::uint8_t kAttention = 0xFF;
constexpr std::uint8_t kAck = 0x13;

QString systemError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QString openFailure(const DoctorTarget& t, const DoctorOptions& o, int err) {
    switch (err) {
    case EACCES:
    case EPERM: {
        const QString group = deviceGroupName(t.device);
        return QStringLiteral("нет прав на устройство (группа %1) — выполните "
                              "sudo usermod -aG %1 $USER и войдите в систему заново")
            .arg(group);
    }
    case EBUSY:
    case EWOULDBLOCK: {
        const QString holder = deviceHolder(o.paths, t.device);
        return holder.isEmpty()
                   ? QStringLiteral("порт занят другой программой — закройте ее")
                   : QStringLiteral("порт занят программой %1 — закройте ее").arg(holder);
    }
    case ENOTTY:
        return QStringLiteral("это не последовательный порт");
    default:
        return QStringLiteral("порт не открывается (%1)").arg(systemError(err));
    }
}

struct Attention {
    bool answered = false;
    int noise = 0; // bytes other than the acknowledgement
};

// Sends the attention byte until 0x13 comes back or the retries are spent.
Attention callTransceiver(SerialDevice& dev, int periodMs) {
    using clock = std::chrono::steady_clock;
    Attention a;
    for (int send = 0; send < kAttentionSends && !a.answered; ++send) {
        dev.write(&kAttention, 1);
        const auto deadline = clock::now() + std::chrono::milliseconds(periodMs);
        while (!a.answered) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
            if (left.count() <= 0)
                break;
            const WaitResult r = dev.wait(Waiter::Reader, true, static_cast<int>(left.count()));
            if (r == WaitResult::Hangup || r == WaitResult::Failed)
                return a;
            std::uint8_t buf[256];
            const int n = r == WaitResult::Ready ? dev.read(buf, sizeof buf) : 0;
            const int acks = static_cast<int>(std::count(buf, buf + std::max(n, 0), kAck));
            a.answered = acks > 0;
            a.noise += std::max(n, 0) - acks;
        }
    }
    return a;
}

// The read the window makes: attention, the image twice, the service block.
bool readTransceiver(const std::string& device, const ExchangeTimings& timings, Image& image,
                     std::uint8_t& status) {
    TCommPort port;
    configureCommPort(port);
    port.setDeviceName(device);
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange(port, timer, view);
    exchange.setTimings(timings);
    port.setOpen(true);
    return port.Open() && exchange.ReadData(image, status);
}

QString readReport(const Image& image, std::uint8_t status) {
    const bool locked = (status & TransferProtocol::kPowerLockBit) != 0;
    return QStringLiteral("отвечает %1, зав. № %2, версия ПО %3, контрольная сумма %4, "
                          "выход 40(30) Вт %5")
        .arg(QString::fromUtf8(modelName(RsType(image))), QString::fromStdString(ZnTxt(image)),
             QString::fromStdString(VerTxt(image)),
             CheckCRC(image) ? QStringLiteral("верна") : QStringLiteral("неверна"),
             locked ? QStringLiteral("заблокирован") : QStringLiteral("не заблокирован"));
}

QString noiseNote(int noise) {
    return QStringLiteral("посторонних байтов на линии: %1").arg(noise);
}

struct Checks {
    DoctorStep failedAt = DoctorStep::Done;
    QString words;
};

Checks fail(DoctorStep step, const QString& words) {
    return Checks{step, words};
}

// Checks 2 to 5 on the raw device; on success words hold the notes to add.
Checks checkLine(const DoctorTarget& t, const DoctorOptions& o, SerialDevice& dev, int& noise) {
    if (!dev.open(t.device))
        return fail(DoctorStep::Opens, openFailure(t, o, dev.error()));
    if (!dev.applyLine(LineSettings{}))
        return fail(DoctorStep::Line, QStringLiteral("порт не принимает настройки 9600 8N1 (%1)")
                                          .arg(systemError(dev.error())));
    QString notes;
    if (!dev.hasModemLines())
        notes = QStringLiteral("модемных линий нет (псевдотерминал), CTS не проверялся");
    else if (!dev.modemLines().cts)
        return fail(DoctorStep::Cts,
                    QStringLiteral("нет сигнала CTS — кабель или радиостанция его не выставляют; "
                                   "проверьте кабель и включите радиостанцию"));
    const Attention a = callTransceiver(dev, o.timings.timerMs);
    noise = a.noise;
    if (!a.answered && a.noise == 0)
        return fail(DoctorStep::Attention,
                    QStringLiteral("радиостанция не отвечает (байт 0xFF отправлен %1 раз, "
                                   "ответа 0x13 нет) — проверьте, включена ли она и подключен "
                                   "ли кабель")
                        .arg(kAttentionSends));
    if (!a.answered)
        return fail(DoctorStep::Attention,
                    QStringLiteral("ответа 0x13 нет, принято посторонних байтов: %1 — помехи на "
                                   "линии или к порту подключено другое устройство")
                        .arg(a.noise));
    return Checks{DoctorStep::Done, notes};
}

Checks runChecks(const DoctorTarget& t, const DoctorOptions& o) {
    struct stat st {};
    if (t.device.empty() || ::stat(t.device.c_str(), &st) != 0)
        return fail(DoctorStep::Exists, t.missingHint.isEmpty()
                                            ? QStringLiteral("устройство не найдено")
                                            : t.missingHint);
    int noise = 0;
    Checks line;
    {
        const auto dev = createPlatformSerialDevice();
        line = checkLine(t, o, *dev, noise);
    } // closed before the read opens it again
    if (line.failedAt != DoctorStep::Done)
        return line;
    Image image;
    std::uint8_t status = 0;
    if (!readTransceiver(t.device, o.timings, image, status))
        return fail(DoctorStep::Read,
                    QStringLiteral("отвечает на 0xFF, но полное чтение не удалось%1 — помехи на "
                                   "линии или плохой контакт в кабеле")
                        .arg(noise ? QStringLiteral(" (") + noiseNote(noise) + ")" : QString()));
    QString words = readReport(image, status);
    for (const QString& note : {line.words, noise ? noiseNote(noise) : QString()})
        if (!note.isEmpty())
            words += QStringLiteral("; ") + note;
    return Checks{DoctorStep::Done, words};
}

QString programOf(const SystemPaths& paths, const std::string& pid) {
    return QStringLiteral("%1 (pid %2)")
        .arg(QString::fromStdString(readFirstLine(paths.proc + "/" + pid + "/comm")),
             QString::fromStdString(pid));
}

// The process holding the exclusive lock on the device, from /proc/locks
// ("1: FLOCK ADVISORY WRITE <pid> <major>:<minor>:<inode> 0 EOF"): the
// program that uses the port, rather than one that merely has it open.
QString lockHolder(const SystemPaths& paths, const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    char file[64];
    std::snprintf(file, sizeof file, "%02x:%02x:%lu", major(st.st_dev), minor(st.st_dev),
                  static_cast<unsigned long>(st.st_ino));
    std::ifstream locks(paths.proc + "/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string id, kind, mode, access, pid, where;
        fields >> id >> kind >> mode >> access >> pid >> where;
        if (kind == "FLOCK" && where == file && pid != std::to_string(::getpid()))
            return programOf(paths, pid);
    }
    return {};
}

} // namespace

QString doctorPortLabel(const DoctorTarget& t) {
    const QString device = QString::fromStdString(t.device);
    if (device.isEmpty() || device == t.name)
        return t.name;
    return QStringLiteral("%1 (%2)").arg(t.name, device);
}

DoctorResult diagnosePort(const DoctorTarget& target, const DoctorOptions& options) {
    const Checks c = runChecks(target, options);
    return DoctorResult{c.failedAt, doctorPortLabel(target) + QStringLiteral(": ") + c.words};
}

QString deviceHolder(const SystemPaths& paths, const std::string& device) {
    if (const QString locker = lockHolder(paths, device); !locker.isEmpty())
        return locker;
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(device, ec);
    const std::string self = std::to_string(::getpid());
    for (const auto& proc : fs::directory_iterator(paths.proc, ec)) {
        const std::string pid = proc.path().filename().string();
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit) || pid == self)
            continue;
        std::error_code denied;
        for (const auto& fd : fs::directory_iterator(proc.path() / "fd", denied)) {
            std::error_code gone;
            if (fs::read_symlink(fd.path(), gone) != wanted || gone)
                continue;
            return programOf(paths, pid);
        }
    }
    return {};
}

QString deviceGroupName(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) == 0)
        if (const group* g = ::getgrgid(st.st_gid); g && g->gr_gid != 0)
            return QString::fromLocal8Bit(g->gr_name);
    return QStringLiteral("dialout");
}

} // namespace ksv
