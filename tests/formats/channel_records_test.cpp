#include "formats/channel_records.h"
#include "image/defaults.h"

#include <gtest/gtest.h>

namespace ksv::formats {
namespace {

// Whole channels carry their records: a paste takes the bits the table does
// not show, and a text that does not hold exactly the pasted channels'
// records changes nothing at all.
TEST(ChannelRecords, CarryTheBitsTheTableDoesNotShowOrNothing) {
    Image from = defaultImage(rtVehicleVhf);
    for (int ch : {3, 4})
        from[static_cast<std::size_t>(Image::recordOffset(ch)) + 4] |= 0x3C;
    const std::string text = channelRecordsText(from, {3, 4});
    EXPECT_EQ(text, "0c0000003e\n0c0000003e\n");
    const struct {
        std::string text;
        int count;
        bool taken;
    } cases[] = {
        {text, 2, true},
        {"0C0000003E\n0C0000003E\n", 2, true},
        {text, 3, false},
        {"0c0000003e\n0c00zz003e\n", 2, false},
        {"0c0000003e\n0c0000003e", 2, false},
        {"0c0000003e\n0c000000\n", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Image to = defaultImage(rtVehicleUhf);
        const Image before = to;
        EXPECT_EQ(takeChannelRecords(to, c.text, 7, c.count), c.taken);
        for (int ch = 1; ch <= kChannelCount; ++ch) {
            const bool changed = c.taken && (ch == 7 || ch == 8);
            EXPECT_EQ(to.flags(ch), changed ? 0x3E : before.flags(ch)) << ch;
            EXPECT_EQ(to.rxCode(ch), before.rxCode(ch)) << ch;
        }
    }
}

} // namespace
} // namespace ksv::formats
