// Names and cells from outside as the program shows them: no control
// character reaches a terminal or a window, and what the text held stays
// readable.
#include "serial/os/utf8.h"

#include <gtest/gtest.h>

namespace ksv::os {
namespace {

TEST(PrintableText, ControlCharactersShowAsEscapesAndForeignBytesAsReplacements) {
    const struct {
        std::string_view text, printable, lines;
    } cases[] = {
        {"Prolific USB-Serial", "Prolific USB-Serial", "Prolific USB-Serial"},
        {"Порт № 1 …", "Порт № 1 …", "Порт № 1 …"},
        {"a\nb\tc\x7f", "a\\x0ab\\x09c\\x7f", "a\nb\\x09c\\x7f"},
        {std::string_view("\x1b[2J\a\0\r", 7), "\\x1b[2J\\x07\\x00\\x0d",
         "\\x1b[2J\\x07\\x00\\x0d"},
        {"\xc2\x85\xc2\x9b"
         "31m\xc2\xa0",
         "\\xc2\\x85\\xc2\\x9b31m\xc2\xa0", // NEL and CSI are C1; a no-break space is printable
         "\\xc2\\x85\\xc2\\x9b31m\xc2\xa0"},
        {"\x9b\xc0\xe0\x82\xed\xa0\x80\xd0", // raw, overlong, surrogate, cut
         "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD",
         "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printableText(c.text), c.printable) << c.text;
        EXPECT_EQ(printableLines(c.text), c.lines) << c.text;
    }
}

} // namespace
} // namespace ksv::os
