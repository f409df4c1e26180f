#include "report.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace ksv::bench {
namespace {

// Prints the report into a string; the result of print() in *met.
std::string printed(const Report& r, bool* met) {
    std::FILE* f = std::tmpfile();
    *met = r.print(f);
    std::string text;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(f);
    return text;
}

const LineTraffic kRead{5, 1025, 0}; // limit 1072.9 ms

TEST(Report, MediansRatiosAndVerdicts) {
    Report r(LineModel{}, 3, false);
    // Median 1200 ms of a 1072.9 ms limit: ratio 1.118, within 1.3.
    r.link("read", {{1200, kRead, true}, {5000, kRead, true}, {1100, kRead, true}}, 1.3);
    bool met = false;
    std::string text = printed(r, &met);
    EXPECT_TRUE(met);
    EXPECT_NE(text.find("1200 ms"), std::string::npos) << text;
    EXPECT_NE(text.find("1073 ms"), std::string::npos) << text;
    EXPECT_NE(text.find("1.118"), std::string::npos) << text;
    EXPECT_NE(text.find("ok"), std::string::npos);

    // Ratio 1.305 misses 1.3; a card of 1000 ms misses "under 1 s".
    Report missed(LineModel{}, 1, false);
    missed.link("read", {{1400, kRead, true}}, 1.3);
    missed.card("card", {{1000, 1, true}}, 1000);
    text = printed(missed, &met);
    EXPECT_FALSE(met);
    EXPECT_EQ(text.find(" ok"), std::string::npos) << text;
    EXPECT_NE(text.find("MISSED"), std::string::npos);
}

TEST(Report, OneFailedRunFailsTheRowAndVerboseNamesWhy) {
    Report r(LineModel{}, 2, true);
    r.startup("window", {{40, 37, true, true, {}}, {0, 0, false, false, "no window appeared"}}, 0,
              80);
    bool met = true;
    const std::string text = printed(r, &met);
    EXPECT_FALSE(met);
    EXPECT_NE(text.find("FAILED"), std::string::npos);
    EXPECT_NE(text.find("no window appeared"), std::string::npos) << text;
}

TEST(Report, MemoryTargetIsCheckedOnTheMedian) {
    Report r(LineModel{}, 3, false);
    r.startup("window",
              {{40, 90, true, true, {}}, {40, 70, true, true, {}}, {40, 75, true, true, {}}}, 0,
              80);
    bool met = false;
    printed(r, &met);
    EXPECT_TRUE(met);
    Report over(LineModel{}, 1, false);
    over.startup("window", {{40, 81, true, true, {}}}, 0, 80);
    printed(over, &met);
    EXPECT_FALSE(met);
}

} // namespace
} // namespace ksv::bench
