#include "box_glyphs.h"

#include <array>

namespace fontgen {

namespace {

// Line positions inside the cell. A single line is one pixel wide and runs
// through the middle column / the row Terminus uses for its own rules; a
// double line is two such lines on either side of it.
constexpr int kMidX = 6;
constexpr int kMidY = 10;
constexpr int kDoubleX1 = 4, kDoubleX2 = 8;
constexpr int kDoubleY1 = 8, kDoubleY2 = 12;

// Arms of a box character: 0 none, 1 single, 2 double.
struct Arms {
    char32_t code;
    int up, down, left, right;
};

constexpr std::array<Arms, 40> kArms = {{
    {U'─', 0, 0, 1, 1}, {U'│', 1, 1, 0, 0}, {U'┌', 0, 1, 0, 1}, {U'┐', 0, 1, 1, 0},
    {U'└', 1, 0, 0, 1}, {U'┘', 1, 0, 1, 0}, {U'├', 1, 1, 0, 1}, {U'┤', 1, 1, 1, 0},
    {U'┬', 0, 1, 1, 1}, {U'┴', 1, 0, 1, 1}, {U'┼', 1, 1, 1, 1}, {U'═', 0, 0, 2, 2},
    {U'║', 2, 2, 0, 0}, {U'╒', 0, 1, 0, 2}, {U'╓', 0, 2, 0, 1}, {U'╔', 0, 2, 0, 2},
    {U'╕', 0, 1, 2, 0}, {U'╖', 0, 2, 1, 0}, {U'╗', 0, 2, 2, 0}, {U'╘', 1, 0, 0, 2},
    {U'╙', 2, 0, 0, 1}, {U'╚', 2, 0, 0, 2}, {U'╛', 1, 0, 2, 0}, {U'╜', 2, 0, 1, 0},
    {U'╝', 2, 0, 2, 0}, {U'╞', 1, 1, 0, 2}, {U'╟', 2, 2, 0, 1}, {U'╠', 2, 2, 0, 2},
    {U'╡', 1, 1, 2, 0}, {U'╢', 2, 2, 1, 0}, {U'╣', 2, 2, 2, 0}, {U'╤', 0, 1, 2, 2},
    {U'╥', 0, 2, 1, 1}, {U'╦', 0, 2, 2, 2}, {U'╧', 1, 0, 2, 2}, {U'╨', 2, 0, 1, 1},
    {U'╩', 2, 0, 2, 2}, {U'╪', 1, 1, 2, 2}, {U'╫', 2, 2, 1, 1}, {U'╬', 2, 2, 2, 2},
}};

using Mask = std::array<std::array<bool, kCellW>, kCellH>;

void fillRect(Mask& m, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m[y][x] = true;
}

// A double line is drawn as the outline of a "road": the band between its
// two lines. The roads of all double arms are united and every road pixel
// next to a non-road pixel of the cell (eight neighbours) is ink; so corners,
// tees and crossings of double lines come out closed, and the ends at the
// cell edge stay open to join the next cell. Single lines are one pixel wide
// and stop where they would enter the inside of a road.
Glyph drawArms(const Arms& a) {
    const bool doubleV = a.up == 2 || a.down == 2;
    const bool doubleH = a.left == 2 || a.right == 2;

    Mask road{};
    if (a.up == 2)
        fillRect(road, kDoubleX1, 0, kDoubleX2, doubleH ? kDoubleY2 : kMidY);
    if (a.down == 2)
        fillRect(road, kDoubleX1, doubleH ? kDoubleY1 : kMidY, kDoubleX2, kCellH - 1);
    if (a.left == 2)
        fillRect(road, 0, kDoubleY1, doubleV ? kDoubleX2 : kMidX, kDoubleY2);
    if (a.right == 2)
        fillRect(road, doubleV ? kDoubleX1 : kMidX, kDoubleY1, kCellW - 1, kDoubleY2);

    Glyph g;
    Mask inside{};
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x) {
            if (!road[y][x])
                continue;
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && nx < kCellW && ny >= 0 && ny < kCellH && !road[ny][nx])
                        edge = true;
                }
            if (edge)
                g.set(x, y);
            else
                inside[y][x] = true;
        }

    Mask single{};
    if (a.up == 1)
        fillRect(single, kMidX, 0, kMidX, kMidY);
    if (a.down == 1)
        fillRect(single, kMidX, kMidY, kMidX, kCellH - 1);
    if (a.left == 1)
        fillRect(single, 0, kMidY, kMidX, kMidY);
    if (a.right == 1)
        fillRect(single, kMidX, kMidY, kCellW - 1, kMidY);
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x)
            if (single[y][x] && !inside[y][x])
                g.set(x, y);
    return g;
}

// Shades: a quarter, a half and three quarters of the pixels inked in a
// regular pattern.
Glyph shade(int level) {
    Glyph g;
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x) {
            const bool quarter = (y % 2 == 0) && ((x + (y / 2) * 2) % 4 == 0);
            const bool half = (x + y) % 2 == 0;
            const bool on = level == 1 ? quarter : level == 2 ? half : !quarter;
            if (on)
                g.set(x, y);
        }
    return g;
}

Glyph block(int x0, int y0, int x1, int y1) {
    Glyph g;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            g.set(x, y);
    return g;
}

} // namespace

std::optional<Glyph> boxGlyph(char32_t u) {
    for (const Arms& a : kArms)
        if (a.code == u)
            return drawArms(a);
    switch (u) {
    case U'░':
        return shade(1);
    case U'▒':
        return shade(2);
    case U'▓':
        return shade(3);
    case U'█':
        return block(0, 0, kCellW - 1, kCellH - 1);
    case U'▄':
        return block(0, kCellH / 2, kCellW - 1, kCellH - 1);
    case U'▀':
        return block(0, 0, kCellW - 1, kCellH / 2 - 1);
    case U'▌':
        return block(0, 0, kMidX, kCellH - 1);
    case U'▐':
        return block(kMidX, 0, kCellW - 1, kCellH - 1);
    default:
        return std::nullopt;
    }
}

Glyph smallBox() {
    Glyph g;
    for (int i = 3; i <= 9; ++i) {
        g.set(i, 8);
        g.set(i, 14);
        g.set(3, i + 5);
        g.set(9, i + 5);
    }
    return g;
}

} // namespace fontgen
