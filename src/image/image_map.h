#pragma once

// The map of the 256-byte settings image: every field declared once, with
// the bits it occupies and its codec. Values that span bytes are
// little-endian (the lowest part first). Whatever reads or writes a field
// does so through these declarations (Image::get and Image::set, a channel
// record's view, the tables of image/settings.h and image/fields.h); nothing
// else names a byte by its number or spells a mask again. The fields of a
// channel record count their offsets from the start of the record.

#include "image/field.h"

namespace ksv {

constexpr std::size_t kImageSize = 256;
constexpr int kChannelCount = 40;

namespace map {

using codec::ChannelOrNone;
using codec::Flag;
using codec::Number;
using codec::ReceiveTone;

// ---- Transmit tone signalling and standby reception: bytes 0..15 ------------------------

// Duration of the transmit tone signals: 8 x seconds (1..20 s).
inline constexpr Field<Number> ToneDuration{{{{0, 0xFF}}}};
// The five tone words, bytes 1..10; tone k = 1..5 low byte first, 0 when the
// tone is absent.
inline constexpr ByteRun<10> ToneWords{1};
constexpr Field<Number, 2> toneWord(int k) {
    const int low = ToneWords.offset + 2 * (k - 1);
    return {{{{low, 0xFF}, {low + 1, 0xFF}}}};
}
// The receive tone detector's coefficients (standby reception).
inline constexpr ByteRun<5> Detector{11};

// ---- Channel records: bytes 16..215 -------------------------------------------------------

inline constexpr int FirstRecord = 16;
inline constexpr int RecordSize = 5;

namespace record {
inline constexpr Field<Number, 2> RxCode{{{{0, 0xFF}, {2, 0x03}}}}; // frequency code, 10 bits
inline constexpr Field<Number, 2> TxCode{{{{1, 0xFF}, {3, 0x03}}}};
inline constexpr Field<Number> RxSubtone{{{{2, 0xFC}}}}; // subtone code, 6 bits
inline constexpr Field<Number> TxSubtone{{{{3, 0xFC}}}};
inline constexpr int FlagsByte = 4;
inline constexpr Field<Flag> Prohibit{{{{FlagsByte, 0x01}}}}; // transmission prohibited
inline constexpr Field<Flag> TxOff{{{{FlagsByte, 0x02}}}};    // set exactly for transmit code 0
inline constexpr Field<Flag> ScanL{{{{FlagsByte, 0x40}}}};    // in scan list L
inline constexpr Field<Flag> ScanS{{{{FlagsByte, 0x80}}}};    // in scan list S
// Bits 2-5 of the flags byte: not interpreted, kept.
inline constexpr FieldBits Uninterpreted{FlagsByte, 0x3C};
} // namespace record

// ---- General and scanning settings: bytes 216..225 ----------------------------------------

// Channel groups: channel number - 1.
inline constexpr Field<Number> Group1First{{{{216, 0xFF}}}};
inline constexpr Field<Number> Group1Last{{{{217, 0xFF}}}};
inline constexpr Field<Number> Group2First{{{{218, 0xFF}}}};
inline constexpr Field<Number> Group2Last{{{{219, 0xFF}}}};
// Transmitter continuous-operation limit: 0 = unlimited, k = 5 x k seconds.
inline constexpr Field<Number> TxLimit{{{{220, 0xFF}}}};
// Seconds before scanning resumes, and the audio amplifier's hold time.
inline constexpr Field<Number> ResumeDelay{{{{221, 0xF0}}}};
inline constexpr Field<Number> AudioHold{{{{221, 0x0F}}}};
// Listening with the "ШП" button is not allowed.
inline constexpr Field<Flag> NoShpListen{{{{222, 0x20}}}};
inline constexpr Field<Number> ScanTransmit{{{{223, 0x03}}}}; // variant, list index 0..3
inline constexpr Field<Flag> SubtoneCancel{{{{223, 0x08}}}};
inline constexpr Field<Flag> Scrambler{{{{223, 0x10}}}};        // a speech scrambler is fitted
inline constexpr Field<Flag> PowerSet{{{{223, 0x20}}}};         // the vehicle power set "5-10-20"
inline constexpr Field<Number> CarrierTime{{{{224, 0xFF}}}};    // units of 10 ms
inline constexpr Field<Number> PriorityPeriod{{{{225, 0xFF}}}}; // units of 0.1 s

// ---- The device: bytes 226..229 ---------------------------------------------------------

inline constexpr Field<Number, 3> FactoryNumber{{{{226, 0xFF}, {227, 0xFF}, {228, 0xF0}}}};
inline constexpr Field<Number> Band{{{{228, 0x0F}}}};     // 1 = VHF, 2 = UHF
inline constexpr Field<Number> Firmware{{{{229, 0xFF}}}}; // tenths: 11 is "1.1"

// ---- Bytes 230..255 ---------------------------------------------------------------------

inline constexpr Field<ReceiveTone> RxTone{{{{231, 0xFF}}}};
inline constexpr Field<ChannelOrNone> PriorityChannel{{{{249, 0xFF}}}};
inline constexpr Field<Number> Checksum{{{{250, 0xFF}}}}; // over bytes 0..229
inline constexpr int LastChecksummed = 229;
// Copies of the groups' first channels, written with them.
inline constexpr Field<Number> Group1Copy{{{{252, 0xFF}}}};
inline constexpr Field<Number> Group2Copy{{{{253, 0xFF}}}};
inline constexpr Field<Flag> Stored{{{{255, 0x02}}}}; // set by every store of the window
inline constexpr Field<Flag> Repeater{{{{255, 0x08}}}};

// ---- Not interpreted, kept --------------------------------------------------------------

// Outside the channel records; the records' own are record::Uninterpreted.
inline constexpr FieldBits Uninterpreted[] = {
    {222, 0xDF}, {223, 0xC4}, {230, 0xFF}, {251, 0xFF}, {254, 0xFF}, {255, 0xF5},
};
inline constexpr ByteRun<17> UninterpretedBytes{232}; // 232..248

} // namespace map

// Byte 231 while standby reception is off, byte 249 while priority scanning is.
constexpr std::uint8_t kStandbyOff = codec::ReceiveTone::kOff;
constexpr std::uint8_t kPriorityOff = codec::ChannelOrNone::kNone;

} // namespace ksv
