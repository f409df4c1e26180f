// File names that are not UTF-8, as a code page 1251 system or a camera
// makes them: they go back to the system byte for byte, two different
// names stay two, and only where they are shown is such a byte replaced.
#include "files/file_names.h"
#include "files/shown_path.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(FileNames, BytesThatAreNotUtf8GoBackAsTheyCame) {
    const struct {
        std::string_view bytes;
        const char* shown;
    } cases[] = {
        {"plan.ust", "plan.ust"},
        {"шаблон 📻.ust", "шаблон 📻.ust"},
        {"\xcf\xf0.ust", "\uFFFD\uFFFD.ust"},
        {"\xc1.ust", "\uFFFD.ust"},
        {"\xef\xbf\xbd.ust", "\uFFFD.ust"},     // a replacement character of its own
        {"\xed\xb3\x81", "\uFFFD\uFFFD\uFFFD"}, // the UTF-8 form of a surrogate
        {"\xc0\xaf\xf4\x90\x80\x80\xe2\x82", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        const QString text = nameFromSystem(c.bytes);
        EXPECT_EQ(nameForSystem(text), c.bytes);
        EXPECT_EQ(shownName(text), QString::fromUtf8(c.shown)) << c.shown;
    }
    EXPECT_NE(nameFromSystem("\xc1.ust"), nameFromSystem("\xef\xbf\xbd.ust"));

    char program[] = "ksv717n-cli", show[] = "show", name[] = "\xcf\xf0.ust";
    char* argv[] = {program, show, name};
    const QStringList args = commandLineArguments(3, argv);
    ASSERT_EQ(args.size(), 2);
    EXPECT_EQ(nameForSystem(args[1]), name);
}

// A path shown in a message, the status bar or the command line sends none
// of its control characters to the screen.
TEST(FileNames, ShownPathsShowControlCharactersAsEscapes) {
    EXPECT_EQ(shownPath(nameFromSystem("/tmp/a\x1b]0;t\a\n\xcf.ust")),
              QString::fromUtf8("/tmp/a\\x1b]0;t\\x07\\x0a\uFFFD.ust"));
}

} // namespace
} // namespace ksv
