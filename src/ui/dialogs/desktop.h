#pragma once

// What the program asks of the desktop besides its windows: the bell and
// showing a folder in the file manager. It goes through one Desktop so that
// tests can put a recorder in its place.

#include <QString>

namespace ksv {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void beep() = 0;
    // Shows the folder in the desktop's file manager; false when it could not.
    virtual bool openFolder(const QString& path) = 0;
};

// The desktop in use; by default the real one.
Desktop& desktop();

// Replaces the desktop (tests); nullptr restores the default. The caller
// keeps ownership.
void setDesktop(Desktop* d);

} // namespace ksv
