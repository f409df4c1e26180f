#include "image/checksum.h"

namespace ksv {

std::uint8_t CalcCRC(const Image& image) {
    unsigned s = 0;
    for (int i = 0; i <= map::LastChecksummed; ++i) {
        const unsigned t = s + image[i];
        // Fold by 255, not 256: the carry goes back into bit 0, and a sum of
        // exactly 255 stays 255.
        s = t > 255 ? t - 255 : t;
    }
    return static_cast<std::uint8_t>(255 - s);
}

bool CheckCRC(const Image& image) {
    return CalcCRC(image) == image.checksum();
}

void storeChecksum(Image& image) {
    image.setChecksum(CalcCRC(image));
}

} // namespace ksv
