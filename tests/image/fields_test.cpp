#include "image/codecs.h"
#include "image/fields.h"
#include "image/image.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace ksv;

namespace {

Image randomImage(std::mt19937& rng) {
    Image im;
    for (auto& b : im.bytes())
        b = static_cast<std::uint8_t>(rng());
    return im;
}

// Only the given bits may differ between the two images.
void expectOnlyBitsChanged(const Image& before, const Image& after,
                           const std::vector<FieldBits>& bits) {
    for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
        std::uint8_t mask = 0;
        for (const FieldBits& b : bits)
            mask |= b.offset == o ? b.mask : 0;
        EXPECT_EQ(after[o] & ~mask, before[o] & ~mask) << "byte " << o;
    }
}

} // namespace

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
        Image im = randomImage(rng);
        const Image before = im;
        for (const int value : {c.value, 0}) {
            f.set(im.channel(9), value);
            EXPECT_EQ(f.get(im.channel(9)), value);
            EXPECT_EQ(c.named(im.channel(9)), value);
        }
        expectOnlyBitsChanged(before, im, imageFields()[8 * kChannelFieldCount + int(c.id)].bits);
    }
}

// The named accessors of the device bits read and store their layout's bits only.
TEST(Fields, NamedDeviceAccessors) {
    using Get = std::function<std::uint32_t(const Image&)>;
    using Set = std::function<void(Image&, std::uint32_t)>;
    struct Case {
        const char* name;
        FieldLayout bits;
        std::uint32_t value;
        Get get;
        Set set;
    };
    const Case cases[] = {
        {"power set", map::PowerSet.bits(), 1, &Image::powerSetBit,
         [](Image& im, std::uint32_t v) { im.setPowerSetBit(v); }},
        {"repeater", map::Repeater.bits(), 1, &Image::repeaterBit,
         [](Image& im, std::uint32_t v) { im.setRepeaterBit(v); }},
        {"stored", map::Stored.bits(), 1, &Image::storedBit,
         [](Image& im, std::uint32_t v) { im.setStoredBit(v); }},
        {"checksum", map::Checksum.bits(), 0xA5, &Image::checksum,
         [](Image& im, std::uint32_t v) { im.setChecksum(std::uint8_t(v)); }},
        {"group copy 2", map::Group2Copy.bits(), 39,
         [](const Image& im) { return im.groupCopy(2); },
         [](Image& im, std::uint32_t v) { im.setGroupCopy(2, std::uint8_t(v)); }},
        {"factory number", map::FactoryNumber.bits(), 0xABCDE, &Image::factoryNumber,
         [](Image& im, std::uint32_t v) { ZnToBuf(v, im); }},
    };
    std::mt19937 rng(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image im = randomImage(rng);
        const Image before = im;
        for (const std::uint32_t value : {c.value, 0u}) {
            c.set(im, value);
            EXPECT_EQ(c.get(im), value);
        }
        expectOnlyBitsChanged(before, im, {c.bits.begin(), c.bits.end()});
    }
}
