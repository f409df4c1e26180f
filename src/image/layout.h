#pragma once

// Where each field of the settings image lies: its bytes and the bits of
// each byte. The list settings of the settings pages declare their own bits
// in image/settings.cpp; everything else is here. Offsets of the channel
// record's fields count from the start of the record.

#include "image/image.h"

#include <array>

namespace ksv::layout {

// One channel record (five bytes).
namespace record {
constexpr int FlagsByte = 4;
inline constexpr FieldBits RxCode[] = {{0, 0xFF}, {2, 0x03}};
inline constexpr FieldBits TxCode[] = {{1, 0xFF}, {3, 0x03}};
inline constexpr FieldBits RxSubtone[] = {{2, 0xFC}};
inline constexpr FieldBits TxSubtone[] = {{3, 0xFC}};
inline constexpr FieldBits Prohibit[] = {{FlagsByte, 1 << bit::Prohibit}};
inline constexpr FieldBits TxOff[] = {{FlagsByte, 1 << bit::TxOff}};
inline constexpr FieldBits ScanL[] = {{FlagsByte, 1 << bit::ScanL}};
inline constexpr FieldBits ScanS[] = {{FlagsByte, 1 << bit::ScanS}};
// Bits 2-5 of the flags byte: not interpreted, kept.
inline constexpr FieldBits Kept[] = {{FlagsByte, 0x3C}};
} // namespace record

// Tone word k = 1..5, low byte first.
constexpr std::array<FieldBits, 2> toneWord(int k) {
    const int low = off::ToneWords + 2 * (k - 1);
    return {{{low, 0xFF}, {low + 1, 0xFF}}};
}

// Standby reception: the receive tone byte and the five detector bytes.
inline constexpr FieldBits RxTone[] = {{off::RxTone, 0xFF}};
inline constexpr FieldBits Detector[] = {{off::Detector, 0xFF},
                                         {off::Detector + 1, 0xFF},
                                         {off::Detector + 2, 0xFF},
                                         {off::Detector + 3, 0xFF},
                                         {off::Detector + 4, 0xFF}};

// The device: factory number, band, firmware and the model bits.
inline constexpr FieldBits FactoryNumber[] = {
    {off::FactoryLow, 0xFF}, {off::FactoryMid, 0xFF}, {off::FactoryHighBand, 0xF0}};
inline constexpr FieldBits Band[] = {{off::FactoryHighBand, 0x0F}};
inline constexpr FieldBits Firmware[] = {{off::Firmware, 0xFF}};
inline constexpr FieldBits PowerSet[] = {{off::Options223, 1 << bit::PowerSet}};
inline constexpr FieldBits Repeater[] = {{off::Model, 1 << bit::Repeater}};
inline constexpr FieldBits Stored[] = {{off::Model, 1 << bit::Stored}};
inline constexpr FieldBits Checksum[] = {{off::Checksum, 0xFF}};
inline constexpr FieldBits Group1Copy[] = {{off::Group1Copy, 0xFF}};
inline constexpr FieldBits Group2Copy[] = {{off::Group2Copy, 0xFF}};
inline constexpr FieldBits PriorityChannel[] = {{off::PriorityChannel, 0xFF}};

} // namespace ksv::layout
