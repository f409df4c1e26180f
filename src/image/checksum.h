#pragma once

#include "image/image.h"

#include <cstdint>

namespace ksv {

// Checksum over bytes 0..229: 255 minus their end-around-carry 8-bit sum.
std::uint8_t CalcCRC(const Image& image);

// True when byte 250 holds CalcCRC of the image.
bool CheckCRC(const Image& image);

} // namespace ksv
