#include "image/fields.h"

#include <gtest/gtest.h>
#include <random>

using namespace ksv;

TEST(Fields, EveryBitIsOneFieldsOrNotInterpreted) {
    std::array<std::uint8_t, kImageSize> seen = uninterpretedBits();
    for (const ImageField& f : imageFields())
        for (const auto& [offset, mask] : f.bits) {
            EXPECT_EQ(seen[offset] & mask, 0) << f.label << " " << f.channel << " byte " << offset;
            seen[offset] |= mask;
        }
    for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
        EXPECT_EQ(seen[o], 0xFF) << "byte " << o;
        EXPECT_EQ(coveredBits()[o], static_cast<std::uint8_t>(~uninterpretedBits()[o])) << o;
    }
}

TEST(Fields, WritableBytesAndEachFieldsRule) {
    for (int o = -1; o <= static_cast<int>(kImageSize); ++o) {
        const bool always = (o >= 0 && o <= 225) || o == 231 || (o >= 249 && o <= 255);
        const bool number = o >= 226 && o <= 228;
        EXPECT_EQ(writeAllowed(byteWriteRule(o), false), always) << o;
        EXPECT_EQ(writeAllowed(byteWriteRule(o), true), always || number) << o;
    }
    for (const ImageField& f : imageFields())
        for (const FieldBits& b : f.bits)
            EXPECT_EQ(byteWriteRule(b.offset), f.write) << f.label << " byte " << b.offset;
}

// Each channel field stores its widest value into a random record and reads
// it back, through the declaration and through the view's named accessors,
// touching no other bit.
TEST(Fields, ChannelViewRoundTrip) {
    struct Case {
        ChannelFieldId id;
        int value;
        int (*named)(ConstChannelView);
    };
    const Case cases[] = {
        {ChannelFieldId::Rx, 1023, [](ConstChannelView v) { return v.rxCode(); }},
        {ChannelFieldId::Tx, 513, [](ConstChannelView v) { return v.txCode(); }},
        {ChannelFieldId::RxSubtone, 63, [](ConstChannelView v) { return v.rxSubtone(); }},
        {ChannelFieldId::TxSubtone, 50, [](ConstChannelView v) { return v.txSubtone(); }},
        {ChannelFieldId::Prohibit, 1, [](ConstChannelView v) { return int(v.prohibited()); }},
        {ChannelFieldId::ScanS, 1, [](ConstChannelView v) { return int(v.scanS()); }},
        {ChannelFieldId::ScanL, 1, [](ConstChannelView v) { return int(v.scanL()); }},
        {ChannelFieldId::TxOff, 1, [](ConstChannelView v) { return int(v.txOff()); }},
    };
    std::mt19937 rng(7);
    for (const Case& c : cases) {
        const ChannelField& f = channelField(c.id);
        SCOPED_TRACE(f.label);
        Image im;
        for (auto& b : im.bytes())
            b = static_cast<std::uint8_t>(rng());
        const Image before = im;
        for (const int value : {c.value, 0}) {
            f.set(im.channel(9), value);
            EXPECT_EQ(f.get(im.channel(9)), value);
            EXPECT_EQ(c.named(im.channel(9)), value);
        }
        const ImageField& declared = imageFields()[8 * kChannelFieldCount + int(c.id)];
        for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
            std::uint8_t mask = 0;
            for (const FieldBits& b : declared.bits)
                mask |= b.offset == o ? b.mask : 0;
            EXPECT_EQ(im[o] & ~mask, before[o] & ~mask) << "byte " << o;
        }
    }
}
