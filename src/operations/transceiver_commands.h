#pragma once

// The read and write commands without any window: the same sequence for the
// main window, the command line and the fleet loop. Each returns what
// happened; the front end turns that into its message boxes or its texts and
// exit codes. What differs between front ends is asked of WriteQuestions;
// the progress of each exchange goes to the ExchangeView of the PortExchange.
// Every image read from a set is kept in the archive given (none: nullptr),
// the state before a write on disk before the first record is sent.
//
//   read -> keep -> (the front end gives its image) -> plan -> decide -> write
//   -> verify -> keep

#include "files/state_archive.h"
#include "image/image.h"
#include "link/port_exchange.h"
#include "operations/write_plan.h"

#include <QString>
#include <cstdint>

namespace ksv {

struct ReadOutcome {
    bool connected = false; // false: "Нет соединения"
    Image image;            // as read (unchanged when not connected)
    std::uint8_t status = 0;
    bool checksumValid = false;
    // The transceiver refuses the stationary power set: only "5-10-20
    // (Возимая)" may be written into it.
    bool powerLocked = false;
    KeepResult kept; // the image in the archive

    // The image as the window shows it: under the power lock the power
    // level list is set to its first entry.
    Image imageToShow() const;
};

// Reads the image (twice, compared) and the status byte, and keeps it.
ReadOutcome readTransceiver(PortExchange& link, const StateArchive* archive);

// What a write asks its front end: the window's F5 and its comparison with
// the set, the command line's write and the fleet each answer these.
class WriteQuestions {
public:
    virtual ~WriteQuestions() = default;
    // The transceiver's image was read (the command line saves its backup,
    // the fleet checks the set). False stops the command.
    virtual bool imageRead(const ReadOutcome&) { return true; }
    // The image to write, asked once the transceiver has answered (the
    // window stores its edits then).
    virtual Image imageToWrite() = 0;
    // The factory number question: may bytes 226..228 be written?
    virtual bool numberChangeAllowed() = 0;
    // The plan says what would be sent; false stops before anything is
    // sent (a dry run, the window's comparison).
    virtual bool proceedWithWrite(const WritePlan&) { return true; }
    // The state read could not be kept (why: reason): true writes all the
    // same. Asked only when there is something to send.
    virtual bool writeWithoutArchive(const QString& /*reason*/) { return false; }
};

enum class WriteResult {
    NoConnection,   // the first read failed
    Stopped,        // the host stopped the command
    NotKept,        // the state read could not be kept and the host would not write without
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
    KeepResult keptAfter; // the verifying read in the archive
};

// The write command: read, then the image asked for and planned (its
// power-level set checked against the power lock), then the list sent and
// read back (the read back kept in the archive), unless the questions stop
// it, the plan refuses, nothing differs, or the state read was not kept and
// writeWithoutArchive does not say yes.
WriteOutcome writeTransceiver(PortExchange& link, WriteQuestions& ask, const StateArchive* archive);

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
VerifyOutcome verifyTransceiver(PortExchange& link, const Image& file, bool numberChangeAllowed,
                                const StateArchive* archive);

} // namespace ksv
