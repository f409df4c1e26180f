#pragma once

// File names between the system and the program's text. On POSIX a name is
// bytes that need not be UTF-8 ("\xcf\xf0.ust" from a code page 1251
// system): each byte outside valid UTF-8 becomes a lone surrogate
// U+DC80..U+DCFF in the text, so that the name goes back to the system
// byte for byte and two different names never become one; only where a
// name is shown is such a byte replaced, by U+FFFD. On Windows names are
// UTF-16 text and keep Qt's conversions.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace ksv {

QString nameFromSystem(std::string_view name);
// The name to pass to the functions of serial/os.
std::string nameForSystem(const QString& name);
// The text as it may be shown: U+FFFD for each byte that was not UTF-8.
QString shownName(const QString& text);

// The program's arguments (without its own name) as text, names in them
// as above.
QStringList commandLineArguments(int argc, char** argv);

} // namespace ksv
