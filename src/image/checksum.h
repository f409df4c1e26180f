#pragma once

#include "image/image.h"

#include <cstdint>

namespace ksv {

// Checksum over bytes 0..229: 255 minus their end-around-carry 8-bit sum.
std::uint8_t CalcCRC(const Image& image);

// True when byte 250 holds CalcCRC of the image.
bool CheckCRC(const Image& image);

// Byte 250 = CalcCRC: the one place an image gets its checksum (a store of
// the window or of an import, the image a write sends).
void storeChecksum(Image& image);

} // namespace ksv
