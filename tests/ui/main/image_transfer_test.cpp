#include "form_fixture.h"

#include "image/checksum.h"

#include <random>

namespace ksv::test {
namespace {

using ImageTransferTest = FormTest;

// Bits the window interprets; every other bit must travel unchanged.
Bytes interpretedBits() {
    Bytes m{};
    for (int i = 0; i <= 15; ++i)
        m[i] = 0xFF; // tone signalling and detector coefficients
    for (int n = 1; n <= kChannelCount; ++n) {
        const int o = Image::recordOffset(n);
        m[o] = m[o + 1] = m[o + 2] = m[o + 3] = 0xFF;
        m[o + 4] = 0xC3; // bits 0, 1, 6, 7
    }
    for (int i = 216; i <= 221; ++i)
        m[i] = 0xFF;
    m[222] = 0x20;
    m[223] = 0x3B;
    m[224] = m[225] = m[231] = m[249] = m[250] = m[252] = m[253] = 0xFF;
    m[255] = 0x02;
    return m;
}

Image randomImage(std::mt19937& rng) {
    Image im;
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t i = 0; i < kImageSize; ++i)
        im[i] = static_cast<std::uint8_t>(byte(rng));
    // Mostly valid band nibbles, sometimes not.
    if (byte(rng) < 200)
        im[228] = static_cast<std::uint8_t>((im[228] & 0xF0) | (1 + byte(rng) % 2));
    return im;
}

TEST_F(ImageTransferTest, ShowThenStoreChangesNoBitTheProgramDoesNotInterpret) {
    const Bytes interpreted = interpretedBits();
    std::mt19937 rng(717);
    for (const OperatingMode mode : {omUser, omService, omMidBand}) {
        start(mode, rtVehicleVhf);
        for (int round = 0; round < 40; ++round) {
            const Image before = randomImage(rng);
            Image after = before;
            form->showImage(after);
            form->commitEdits();
            after = image();
            for (std::size_t i = 0; i < kImageSize; ++i)
                ASSERT_EQ((before[i] ^ after[i]) & ~interpreted[i], 0)
                    << "mode " << mode << " round " << round << " byte " << i;
            EXPECT_EQ(after[250], CalcCRC(after));
            EXPECT_TRUE(after.get(map::Stored));
        }
    }
}

TEST_F(ImageTransferTest, AStoredImageShowsAndStoresBackUnchanged) {
    // Once through the window, an image is what the window encodes: a second
    // pass changes nothing.
    std::mt19937 rng(4);
    for (const OperatingMode mode : {omUser, omMidBand}) {
        start(mode, rtStationaryUhf);
        for (int round = 0; round < 40; ++round) {
            Image once = randomImage(rng);
            form->showImage(once);
            form->commitEdits();
            once = image();
            Image twice = once;
            form->showImage(twice);
            form->commitEdits();
            twice = image();
            ASSERT_EQ(once.bytes(), twice.bytes()) << "mode " << mode << " round " << round;
        }
    }
}

// The texts the editors store reach the image through the channel model; the
// commit adds the transmit-off bit.
TEST_F(ImageTransferTest, ChannelCellsAreStoredFromTheirTexts) {
    start(omUser, rtVehicleVhf);
    setCell(1, 1, QStringLiteral("148010")); // truncates to code 12
    setCell(2, 1, QStringLiteral("Откл"));
    setCell(3, 1, QStringLiteral("100.0"));
    setCell(4, 1, QStringLiteral("100")); // not a table text: no subtone
    setCell(5, 1, QStringLiteral("Запрет"));
    setCell(6, 1, QStringLiteral("S"));
    setCell(7, 1, QStringLiteral("L"));
    editImage(
        [](Image& im) { im[Image::recordOffset(1) + 4] |= 0x3C; }); // bits the window does not use
    form->commitEdits();
    EXPECT_EQ(image().rxCode(1), 12);
    EXPECT_EQ(image().txCode(1), 0);
    EXPECT_EQ(image().rxSubtone(1), 13);
    EXPECT_EQ(image().txSubtone(1), 0);
    EXPECT_EQ(image().flags(1), 0x01 | 0x02 | 0x3C | 0x40 | 0x80);
    EXPECT_TRUE(messages.log.empty());
}

} // namespace
} // namespace ksv::test
