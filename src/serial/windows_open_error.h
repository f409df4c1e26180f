#pragma once

// What a Windows error from opening a COM port means: the errno-style code
// the serial device reports (error()), and the words for the user. Plain
// C++, so that the mapping is the same on every build and testable anywhere.

#include <string>

namespace ksv {

// EBUSY for a port another program holds (Windows says "access denied"),
// ENOENT for a port that does not exist, EACCES where the system forbids
// it, EIO for everything else.
int errnoForWin32Error(unsigned long win32Error);

// The reason a port cannot be opened, in Russian (UTF-8), from the
// device's error() and, where known, the raw Windows error behind it.
// Windows cannot say which program holds a busy port.
std::string windowsOpenErrorText(int err, unsigned long win32Error = 0);

} // namespace ksv
