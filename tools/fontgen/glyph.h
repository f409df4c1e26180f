#pragma once

// One 13 x 22 glyph cell of the print fonts: true is ink.

#include <array>

namespace fontgen {

constexpr int kCellW = 13;
constexpr int kCellH = 22;

struct Glyph {
    std::array<std::array<bool, kCellW>, kCellH> ink{};

    void set(int x, int y) {
        if (x >= 0 && x < kCellW && y >= 0 && y < kCellH)
            ink[y][x] = true;
    }
    bool at(int x, int y) const { return ink[y][x]; }
    bool blank() const {
        for (const auto& row : ink)
            for (bool b : row)
                if (b)
                    return false;
        return true;
    }
};

} // namespace fontgen
