#pragma once

// UTF-8 as text from outside comes: names of files, programs and devices
// need not be valid UTF-8.

#include <cstddef>
#include <string_view>

namespace ksv::os {

// The length of the UTF-8 sequence that starts at text[i], or 0 when none
// does there: a byte that cannot start one, a sequence cut short, an
// overlong form, a surrogate or a code point above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

} // namespace ksv::os
