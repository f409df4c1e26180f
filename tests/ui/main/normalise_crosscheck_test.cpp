// The command line stores an image the way a fresh main window would, without
// a window. Both must agree byte for byte: at start-up for every type and
// mode, and for arbitrary images passed once through the window.

#include "form_fixture.h"
#include "image/normalise.h"

#include <random>

namespace ksv::test {

TEST_F(FormTest, StartUpImageEqualsTheWindowFreeStorePass) {
    for (OperatingMode mode : {omUser, omService, omMidBand}) {
        for (int type = 0; type < kRadioTypeCount; ++type) {
            start(mode, type);
            const Image expected = startupImage(type, mode);
            for (int o = 0; o < 256; ++o)
                EXPECT_EQ(image()[o], expected[o])
                    << "type " << type << " mode " << mode << " byte " << o;
        }
    }
}

TEST_F(FormTest, StorePassOfArbitraryImagesEqualsTheWindowFreeOne) {
    std::mt19937 rng(5);
    for (int round = 0; round < 120; ++round) {
        const auto mode = static_cast<OperatingMode>(round % 3);
        make(mode);
        Image im;
        for (auto& b : im.bytes())
            b = static_cast<std::uint8_t>(rng());
        im[228] = static_cast<std::uint8_t>((im[228] & 0xF0) | (1 + round % 2));
        // Steer some rounds into valid list values, where most images live.
        if (round % 4 == 0)
            im[249] = kPriorityOff;
        if (round % 5 == 0) {
            im[216] = static_cast<std::uint8_t>(rng() % 40);
            im[217] = 39;
            im[218] = 0;
            im[219] = static_cast<std::uint8_t>(rng() % 40);
        }
        if (round % 3 == 0) {
            im[220] = static_cast<std::uint8_t>(rng() % 37);
            im[221] = 0x4A;
            im[224] = static_cast<std::uint8_t>(10 + rng() % 41);
            im[225] = static_cast<std::uint8_t>(5 * (1 + rng() % 10));
            im[0] = 8;
        }
        form->showImage(im);
        form->commitEdits();
        const Image expected = normaliseImage(im, mode);
        for (int o = 0; o < 256; ++o)
            EXPECT_EQ(image()[o], expected[o]) << "round " << round << " byte " << o;
        form.reset();
    }
}

} // namespace ksv::test
