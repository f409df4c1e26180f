#include "full_change.h"

#include "image/checksum.h"

namespace ksv::bench {

namespace {

constexpr int kSize = static_cast<int>(kImageSize);

// The merged image of a write of file into device, as the write computes it.
Image merged(const Image& device, const Image& file) {
    Image m = device;
    for (int i = 0; i < kSize; ++i)
        if (isWritableOffset(i, false))
            m[i] = file[i];
    storeChecksum(m);
    return m;
}

} // namespace

WriteList listChangingEveryOffset(const Image& device) {
    WriteList list;
    for (int i = 0; i < kSize; ++i)
        if (isWritableOffset(i, false))
            list.add(i, static_cast<std::uint8_t>(device[i] ^ 0xFF));
    return list;
}

Image fileChangingEveryOffset(const Image& device) {
    Image file = device;
    for (int i = 0; i < kSize; ++i)
        if (isWritableOffset(i, false))
            file[i] = static_cast<std::uint8_t>(device[i] ^ 0xFF);
    // The checksum covers bytes 0..229; changing byte 0 by another amount
    // moves it, so some choice of byte 0 makes it differ from the device's.
    for (int x = 0xFE; merged(device, file).checksum() == device.checksum() && x > 0; --x)
        file[0] = static_cast<std::uint8_t>(device[0] ^ x);
    file.setChecksum(merged(device, file).checksum());
    return file;
}

} // namespace ksv::bench
