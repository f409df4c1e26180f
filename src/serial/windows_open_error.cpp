#include "serial/windows_open_error.h"

#include <cerrno>

namespace ksv {

namespace {

// The Windows error codes concerned (winerror.h), spelled out so that this
// file needs no Windows header.
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kPathNotFound = 3;
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kSharingViolation = 32;
constexpr unsigned long kInvalidName = 123;
constexpr unsigned long kDeviceNotConnected = 1167;
constexpr unsigned long kAccessDisabledByPolicy = 1260;
constexpr unsigned long kPrivilegeNotHeld = 1314;

} // namespace

int errnoForWin32Error(unsigned long win32Error) {
    switch (win32Error) {
    case 0:
        return 0;
    case kFileNotFound:
    case kPathNotFound:
    case kInvalidName:
    case kDeviceNotConnected:
        return ENOENT;
    // A COM port is opened without sharing: "access denied" means that
    // another program has it open.
    case kAccessDenied:
    case kSharingViolation:
        return EBUSY;
    case kAccessDisabledByPolicy:
    case kPrivilegeNotHeld:
        return EACCES;
    default:
        return EIO;
    }
}

std::string windowsOpenErrorText(int err, unsigned long win32Error) {
    switch (err) {
    case EBUSY:
        return "порт занят другой программой — закройте её";
    case ENOENT:
        return "порт не найден — проверьте номер порта и подключение адаптера";
    case EACCES:
        return "нет доступа к порту — система запрещает его открыть";
    case ENOTTY:
        return "это не последовательный порт";
    default:
        break;
    }
    if (win32Error != 0)
        return "порт не открывается (ошибка Windows " + std::to_string(win32Error) + ")";
    return "порт не открывается";
}

} // namespace ksv
