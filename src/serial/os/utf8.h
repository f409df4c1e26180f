#pragma once

// UTF-8 as text from outside comes: names of files, programs and devices
// need not be valid UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace ksv::os {

// The length of the UTF-8 sequence that starts at text[i], or 0 when none
// does there: a byte that cannot start one, a sequence cut short, an
// overlong form, a surrogate or a code point above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

// Text from outside (a file's or a device's name, a cell of an imported
// file) as a terminal or a window may show it: each byte of a control
// character (C0, DEL and C1, a line break too) as "\x1b", each byte that is
// not UTF-8 as U+FFFD. No escape sequence, bell or line break of the text
// reaches the screen, and what it held stays readable.
std::string printableText(std::string_view text);

// The same for a message of several lines: its line feeds stay.
std::string printableLines(std::string_view text);

} // namespace ksv::os
