#pragma once

// What the write command does with the image read from the transceiver,
// decided without any window: the band check, the power check, the merged
// image over the writable offsets, its checksum and the ascending write list.

#include "image/image.h"
#include "link/write_list.h"

#include <cstdint>

namespace ksv {

enum class WriteDecision {
    Write,                // send the list
    AlreadyWritten,       // nothing writable differs: "Данные уже записаны"
    BandMetre,            // the transceiver is a metre-band set, the image is not
    BandDecimetre,        // the transceiver is a decimetre-band set, the image is not
    BandUnknown,          // the bands differ and the transceiver's is neither
    PowerLockedMetre,     // the power lock forbids the stationary power set (Тарвен-52)
    PowerLockedDecimetre, // the same for the decimetre band (Тарвен-62)
};

struct WritePlan {
    WriteDecision decision = WriteDecision::Write;
    // Set when the checks passed (Write and AlreadyWritten): the checksum of
    // the merged image, the one place a write computes it.
    bool checksumComputed = false;
    std::uint8_t checksum = 0;
    // The image to write with that checksum in byte 250; the window takes
    // it as its image in either case.
    Image written;
    // The image the transceiver holds after the write (checksum included).
    Image merged;
    // Every writable offset where the transceiver differs from the written
    // image, ascending, with the written image's value.
    WriteList list;
};

// current: the image to write (the window's after it was stored, or a
// file); incoming: the image read from the transceiver; powerLocked: the
// transceiver refuses the stationary power set (from its status byte);
// powerListAtFirstEntry: the power level list shows "5-10-20 (Возимая)".
WritePlan planWrite(const Image& current, const Image& incoming, bool powerLocked,
                    bool powerListAtFirstEntry, bool numberChangeAllowed);

// Whether the decision refuses the write.
bool writeDecisionIsError(WriteDecision d);

} // namespace ksv
