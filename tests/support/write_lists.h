#pragma once

// Write lists for tests, and the bytes the transceiver receives for them.
// Header only: its users link the link layer themselves.

#include "image/image.h"
#include "link/write_list.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace ksv::test {

// {{offset, value}, ...} in the given order.
inline WriteList writeListOf(std::initializer_list<std::pair<int, int>> entries) {
    WriteList l;
    for (auto [o, v] : entries)
        l.add(o, static_cast<std::uint8_t>(v));
    return l;
}

// Every writable offset where `from` and `to` differ, ascending, with the
// value of `to`.
inline WriteList writeListBetween(const Image& from, const Image& to, bool numberChange = false) {
    WriteList l;
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        if (from[i] != to[i] && isWritableOffset(i, numberChange))
            l.add(i, to[i]);
    return l;
}

inline std::vector<int> offsetsOf(const WriteList& l) {
    return {l.offsets.begin(), l.offsets.begin() + l.count};
}

// What a write puts on the line: two attention bytes, then the records.
inline std::vector<std::uint8_t> lineBytesOf(const WriteList& l) {
    std::vector<std::uint8_t> out{0xFF, 0xFF};
    for (int k = 0; k < l.count; ++k) {
        const auto r = writeRecord(l.offsets[k], l.values[k]);
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

} // namespace ksv::test
