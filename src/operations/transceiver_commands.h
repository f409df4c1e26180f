#pragma once

// The read and write commands without any window: the same sequence for the
// main window, the command line and the fleet loop. Each returns what
// happened; the front end turns that into its message boxes or its texts and
// exit codes. What differs between front ends is asked of a WriteHost; the
// progress of each exchange goes to the ExchangeView of the PortExchange.
//
//   read -> (the front end stores its image) -> plan -> decide -> write -> verify

#include "image/image.h"
#include "link/port_exchange.h"
#include "operations/write_plan.h"

#include <cstdint>
#include <functional>

namespace ksv {

struct ReadOutcome {
    bool connected = false; // false: "Нет соединения"
    Image image;            // as read (unchanged when not connected)
    std::uint8_t status = 0;
    bool checksumValid = false;
    // The transceiver refuses the stationary power set: only "5-10-20
    // (Возимая)" may be written into it.
    bool powerLocked = false;

    // The image as the window shows it: under the power lock the power
    // level list is set to its first entry.
    Image imageToShow() const;
};

// Reads the image (twice, compared) and the status byte.
ReadOutcome readTransceiver(PortExchange& link);

// What the front end decides during a write.
class WriteHost {
public:
    virtual ~WriteHost() = default;
    // The transceiver's image was read (the command line saves its backup).
    // False stops the command.
    virtual bool imageRead(const ReadOutcome& read) = 0;
    // The image to write.
    virtual Image imageToWrite() = 0;
    // The factory number question: may bytes 226..228 be written?
    virtual bool numberChangeAllowed() = 0;
    // The plan says what would be sent; false stops before anything is
    // sent (a dry run).
    virtual bool proceedWithWrite(const WritePlan&) { return true; }
};

enum class WriteResult {
    NoConnection,   // the first read failed
    Stopped,        // the host stopped the command
    Refused,        // the plan refused: see plan.decision
    AlreadyWritten, // nothing writable differs
    Written,        // written and verified
    NoWriteAnswer,  // the set stopped answering before any record was sent: unchanged
    WriteCutOff,    // cut off after its first record was sent: the set may hold part of it
    VerifyFailed,   // the read back failed or differs at a writable offset
};

struct WriteOutcome {
    WriteResult result = WriteResult::NoConnection;
    ReadOutcome read;
    // The image to write; its checksum byte is the plan's when
    // plan.checksumComputed (the window takes it as its image).
    Image image;
    WritePlan plan;
    bool numberChange = false;
    int recordsWritten = 0; // records acknowledged (one per byte), also of a cut-off write
    int recordsSent = 0;    // records sent
    bool verified = false;
    bool readBackOk = false; // the verifying read succeeded
    Image readBack;
};

// The write command: read, then what the host decides, then writeAfterRead.
WriteOutcome writeTransceiver(PortExchange& link, WriteHost& host);

// The write after its read, decided from the image alone (its power-level
// set checked against the power lock): the plan, then the list sent and read
// back, unless the plan refuses, nothing differs or proceed says no.
WriteOutcome writeAfterRead(PortExchange& link, const ReadOutcome& read, const Image& image,
                            bool numberChange,
                            const std::function<bool(const WritePlan&)>& proceed = {});

enum class VerifyResult {
    NoConnection, // the read failed
    Refused,      // a write of the file would be refused: see plan.decision
    Matches,      // every writable byte holds the file's value
    Differs,      // a write would change something: plan.merged holds the file
};

struct VerifyOutcome {
    VerifyResult result = VerifyResult::NoConnection;
    ReadOutcome read;
    WritePlan plan;
};

// Reads the transceiver and compares it with the file as a write would: it
// holds the file when a write would have nothing to send, the checksum of
// the merged image included.
VerifyOutcome verifyTransceiver(PortExchange& link, const Image& file, bool numberChangeAllowed);

} // namespace ksv
