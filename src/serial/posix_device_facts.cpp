#include "serial/device_facts.h"

#include "serial/os/utf8.h"
#include "serial/port_names.h"

#include <algorithm>
#include <cerrno>
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

bool isPid(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), ::isdigit);
}

std::string programOf(const SystemPaths& paths, const std::string& pid) {
    return os::printableText(readFirstLine(paths.proc + "/" + pid + "/comm")) + " (pid " + pid +
           ")";
}

// The process holding the exclusive lock on the device, from /proc/locks
// ("1: FLOCK ADVISORY WRITE <pid> <major>:<minor>:<inode> 0 EOF"): the
// program that uses the port, rather than one that merely has it open.
std::string lockHolder(const SystemPaths& paths, const std::string& device) {
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

std::string variableHint(int comNumber) {
    return comNumber ? " (задайте устройство порта переменной окружения " +
                           portEnvironmentVariable(comNumber) + ")"
                     : std::string();
}

} // namespace

bool deviceExists(const std::string& device) {
    struct stat st {};
    return !device.empty() && ::stat(device.c_str(), &st) == 0;
}

std::string deviceHolder(const SystemPaths& paths, const std::string& device) {
    if (std::string locker = lockHolder(paths, device); !locker.empty())
        return locker;
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(device, ec);
    const std::string self = std::to_string(::getpid());
    for (const auto& proc : fs::directory_iterator(paths.proc, ec)) {
        const std::string pid = proc.path().filename().string();
        if (!isPid(pid) || pid == self)
            continue;
        std::error_code denied;
        for (const auto& fd : fs::directory_iterator(proc.path() / "fd", denied)) {
            std::error_code gone;
            if (fs::read_symlink(fd.path(), gone) == wanted && !gone)
                return programOf(paths, pid);
        }
    }
    return {};
}

std::string deviceGroupName(const std::string& device) {
    struct stat st {};
    if (::stat(device.c_str(), &st) == 0)
        if (const group* g = ::getgrgid(st.st_gid); g && g->gr_gid != 0)
            return g->gr_name;
    return "dialout";
}

std::string deviceIdentity(const std::string& device) {
    std::error_code ec;
    return fs::weakly_canonical(device, ec).string();
}

std::string openErrorAdvice(const std::string& device, int error, int comNumber,
                            const SystemPaths& paths) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "устройство " + device + " не найдено" + variableHint(comNumber);
    case EACCES:
    case EPERM: {
        const std::string group = deviceGroupName(device);
        return "нет прав на устройство " + device + ": добавьте пользователя в группу " + group +
               " (sudo usermod -aG " + group + " $USER) и войдите в систему заново";
    }
    case EBUSY:
    case EWOULDBLOCK: {
        const std::string holder = deviceHolder(paths, device);
        return holder.empty()
                   ? "устройство " + device + " занято другой программой"
                   : "устройство " + device + " занято программой " + holder + " — закройте её";
    }
    case ENOTTY:
        return device + " не является последовательным портом";
    default:
        return device + ": " + std::strerror(error);
    }
}

} // namespace ksv
