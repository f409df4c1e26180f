#include "image/codecs.h"

#include <gtest/gtest.h>

using namespace ksv;

namespace {
std::pair<int, int> bytes(std::uint16_t w) {
    return {w & 0xFF, w >> 8};
}
} // namespace

TEST(ToneWord, WorkedValues) {
    EXPECT_EQ(bytes(toneEncode(500)), std::make_pair(0x6B, 0xEE));  // N = 4500
    EXPECT_EQ(bytes(toneEncode(1450)), std::make_pair(0xEF, 0xF9)); // N = 1552
    EXPECT_EQ(bytes(toneEncode(3000)), std::make_pair(0x11, 0xFD)); // N = 750
    EXPECT_EQ(toneDecode(toneEncode(500)), 500);
    EXPECT_EQ(toneDecode(toneEncode(1450)), 1450);
    EXPECT_EQ(toneDecode(toneEncode(3000)), 3000);
    EXPECT_FALSE(toneDecode(0xFFFF)); // N = 0 has no frequency
}

TEST(ToneWord, EveryTenHertzRoundTrips) {
    // The window offers 500..3000 Hz in steps of 10: each must come back.
    for (int f = 500; f <= 3000; f += 10)
        EXPECT_EQ(toneDecode(toneEncode(f)), f) << f;
}

TEST(Detector, WorkedCoefficients) {
    using B = std::array<std::uint8_t, 5>;
    EXPECT_EQ(detectorCoefficients(500), (B{0x94, 0xDC, 0x8D, 0xE6, 0x00}));
    EXPECT_EQ(detectorCoefficients(1450), (B{0x00, 0x2E, 0x00, 0x44, 0x00}));
    EXPECT_EQ(detectorCoefficients(2000), (B{0x00, 0x22, 0x00, 0x38, 0x03}));
    EXPECT_EQ(detectorCoefficients(3000), (B{0x95, 0xDB, 0x8D, 0xE6, 0x03}));
}

TEST(Detector, ScaleOnlyForCoefficientsNearOne) {
    for (int f = 500; f <= 3000; f += 10) {
        const auto b = detectorCoefficients(f);
        // Only bits 0 and 1 of byte 15 carry signs.
        EXPECT_EQ(b[4] & 0xFC, 0) << f;
        // A non-zero scale goes with an integer bit in the packed coefficient.
        if (b[0] != 0) {
            EXPECT_TRUE(b[1] & 0x80) << f;
        }
        if (b[2] != 0) {
            EXPECT_TRUE(b[3] & 0x80) << f;
        }
    }
}
