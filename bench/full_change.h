#pragma once

// Inputs that make a write touch every writable offset of a transceiver's
// image, so that a write measures the longest list there is (234 records
// without a factory number change).

#include "image/image.h"
#include "link/write_list.h"

namespace ksv::bench {

// The list that sets every writable offset of device to another value.
WriteList listChangingEveryOffset(const Image& device);

// A settings file whose write into device (user mode, no number change)
// sends every writable offset, the checksum included: every writable byte
// differs from device, the band is the device's, and the checksum the write
// computes differs from the device's own.
Image fileChangingEveryOffset(const Image& device);

} // namespace ksv::bench
