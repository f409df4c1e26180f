#include "bmp_writer.h"

namespace fontgen {

namespace {

constexpr int kColumns = 32;
constexpr int kWidth = kColumns * kCellW;                         // 416
constexpr int kHeight = (kGlyphCount / kColumns) * kCellH;        // 154
constexpr int kRowBytes = ((kWidth + 31) / 32) * 4;               // 52
constexpr int kPixelOffset = 14 + 40 + 8;                         // 62
constexpr int kFileSize = kPixelOffset + kRowBytes * kHeight + 2; // 8072

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool inkAt(const GlyphSet& set, int x, int y) {
    const int index = (y / kCellH) * kColumns + x / kCellW;
    return set[index].at(x % kCellW, y % kCellH);
}

} // namespace

std::vector<std::uint8_t> fontBitmapFile(const GlyphSet& set) {
    std::vector<std::uint8_t> out;
    out.reserve(kFileSize);
    // File header.
    out.push_back('B');
    out.push_back('M');
    put32(out, kFileSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, kPixelOffset);
    // Info header.
    put32(out, 40);
    put32(out, kWidth);
    put32(out, kHeight); // positive: bottom-up
    put16(out, 1);       // planes
    put16(out, 1);       // bits per pixel
    put32(out, 0);       // no compression
    put32(out, 0);       // image size
    put32(out, 3779);    // pixels per metre
    put32(out, 3779);
    put32(out, 0); // colours used
    put32(out, 0); // important colours
    // Palette: index 0 white, index 1 black.
    put32(out, 0x00FFFFFF);
    put32(out, 0x00000000);
    // Pixels, bottom row first, most significant bit leftmost.
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int byte = 0; byte < kRowBytes; ++byte) {
            std::uint8_t v = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = byte * 8 + bit;
                if (x < kWidth && inkAt(set, x, y))
                    v = static_cast<std::uint8_t>(v | (0x80 >> bit));
            }
            out.push_back(v);
        }
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

} // namespace fontgen
