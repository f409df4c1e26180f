#pragma once

// A transceiver on a pseudo-terminal, for tests. The program opens
// devicePath() (map a COM port to it with ScopedPortMapping); the simulator
// answers on the other side from its 256-byte image and status byte:
//   0xFF -> 0x13;  0x01 -> the image;  0x03 0x07 -> the 512-byte service
//   block (byte 510 = status byte);  0x02 A V C (valid check byte) -> the
//   image byte A becomes V, then 0x13.
// Options: 9600-baud pacing in both directions, a delay per written record,
// and fault modes. Every byte received and every write record is logged.
//
//   TransceiverSim sim;              // opens the pseudo-terminal
//   sim.setImage(img); sim.start();  // answers on its own thread
//   ScopedPortMapping com1(1, sim.devicePath());
//
// Fleet mode (setFleet): a row of transceivers handed to the program one
// after another on the same cable. Once a set has been read and then polled
// with attention bytes only (no image request, no write record) more than
// SimFleetGap::answeredPolls times in a row, it is taken away: the line stays
// silent for SimFleetGap::silentPolls attention bytes (that last one
// included), and then the next set of the list answers. Counting bytes instead of time keeps the
// change of sets exact however fast the program polls.

#include "image/image.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ksv::test {

// Fault modes. Counts give how many times the fault happens before the
// simulator behaves again (-1: every time, 0: never).
struct SimFaults {
    bool silent = false; // receives and logs, answers nothing
    int doubleAck = 0;   // attention answered with 0x13 0x13 in one chunk
    // An acknowledgement preceded by strayByte in one chunk: of an attention
    // byte, or of a write record.
    int strayBeforeAttentionAck = 0;
    int strayBeforeRecordAck = 0;
    std::uint8_t strayByte = 0x00; // (value = milliseconds the program pauses on it)
    int differingSecondCopies = 0; // the second image copy of a read has one byte changed
    int serviceBlockSize = 512;    // bytes sent for the service block (511, 513 ...)
    // Records are counted from 0 after each attention byte, by acknowledgement.
    // Deliveries of record number unackedRecord are ignored (neither applied
    // nor acknowledged), unackedTimes times (-1: forever).
    int unackedRecord = -1;
    int unackedTimes = -1;
    // Record number unappliedRecord is acknowledged but not applied to the
    // image, every time it arrives (-1: never): a write the verification
    // must catch.
    int unappliedRecord = -1;
    int chunkSize = 0;  // blocks go out in chunks of this many bytes ...
    int chunkGapMs = 0; // ... with this gap between them
    // The line vanishes (the pseudo-terminal is closed) after this many bytes
    // have been sent from now on, or when record number vanishAtRecord arrives.
    long vanishAfterSentBytes = -1;
    int vanishAtRecord = -1;
};

struct SimRecord {
    std::uint8_t offset = 0;
    std::uint8_t value = 0;
    std::uint8_t check = 0;
    bool valid = false;        // the four bytes sum to 0 modulo 256
    bool acknowledged = false; // acknowledged (and applied unless applied says otherwise)
    bool applied = false;      // written into the image
    int set = 0;               // fleet mode: the index of the set that received it
};

// One transceiver of a fleet.
struct SimSet {
    Image image;
    std::uint8_t status = 0;
    SimFaults faults{};
    // Fleet mode: the set is unplugged when it has acknowledged this many
    // write records (the next record goes unanswered and unapplied), and is
    // plugged in again, as it then is, at the end of the row. -1: never.
    int cutAfterRecords = -1;
};

struct SimFleetGap {
    int answeredPolls = 2; // attention bytes still answered after the set's exchanges
    int silentPolls = 3;   // attention bytes left unanswered before the next set
};

// The image the simulator starts from in most tests: the UHF vehicle
// defaults with a valid checksum, and byte 230 (which no window shows) set,
// so a test sees that bytes outside the window's reach survive an exchange.
Image sampleTransceiverImage();

class TransceiverSim {
public:
    TransceiverSim();
    ~TransceiverSim();
    TransceiverSim(const TransceiverSim&) = delete;
    TransceiverSim& operator=(const TransceiverSim&) = delete;

    // The device the program opens (the pseudo-terminal's slave side).
    const std::string& devicePath() const { return path_; }

    void start();
    void stop();

    Image image() const;
    void setImage(const Image& image);
    std::uint8_t status() const;
    void setStatus(std::uint8_t status);
    // Pace both directions like a 9600-baud line (about 1.04 ms a byte).
    void setPacing(bool on);
    // Delay between applying a write record and acknowledging it.
    void setRecordDelay(std::chrono::milliseconds d);
    void setFaults(const SimFaults& faults);
    // Fleet mode: the first set answers at once, the others in turn; after
    // the last one the line stays silent. Call before start().
    void setFleet(const std::vector<SimSet>& sets, SimFleetGap gap = {});
    // The index of the set on the line (the number of sets once all are gone).
    int fleetPosition() const;
    // Every set's image as it is now (with what was written into it).
    std::vector<Image> fleetImages() const;

    // Every byte received, in order; every write record received.
    std::vector<std::uint8_t> received() const;
    // Bytes put on the line towards the program (since the last clearLog()).
    std::size_t sentCount() const;
    std::vector<SimRecord> records() const;
    void clearLog();
    // Waits until at least n bytes have been received.
    bool waitForReceived(std::size_t n, std::chrono::milliseconds timeout) const;
    // Closes the pseudo-terminal now, as if the cable were pulled.
    void closeLine();
    bool lineVanished() const { return vanished_; }

private:
    void run();
    void closeLineHere();
    void handle(std::uint8_t b);
    void handleRecord();
    void acknowledge(bool attention);
    void sendBlock(const std::vector<std::uint8_t>& block);
    void sendBytes(const std::uint8_t* data, std::size_t n);
    void waitLineTime();
    static bool take(int& count);
    bool fleetSwallows(std::uint8_t b);
    bool fleetCutsRecord();
    void loadFleetSet(std::size_t index);

    std::string path_;
    int master_ = -1;
    int slave_ = -1;
    int wake_ = -1;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> vanished_{false};

    mutable std::mutex m_;
    mutable std::condition_variable cv_;
    Image image_;
    std::uint8_t status_ = 0;
    bool pacing_ = false;
    std::chrono::milliseconds recordDelay_{0};
    SimFaults faults_;
    long sentSinceFaults_ = 0;
    std::size_t sent_ = 0;
    std::vector<std::uint8_t> received_;
    std::vector<SimRecord> records_;

    // Fleet mode (guarded by m_).
    std::vector<SimSet> fleet_;
    SimFleetGap gap_;
    std::size_t fleetAt_ = 0;
    bool fleetRead_ = false; // the set on the line has sent its service block
    int fleetRecords_ = 0;   // records the set on the line acknowledged
    int idleAttentions_ = 0; // attention bytes since the last other command
    int silentLeft_ = -1;    // >= 0 while the line is silent between two sets

    // Parser state (simulator thread only).
    enum class Parse { Command, ServiceSecond, Record } parse_ = Parse::Command;
    std::uint8_t record_[3] = {};
    int recordFill_ = 0;
    int recordsSinceAttention_ = 0;
    int imageRequests_ = 0;
    std::chrono::steady_clock::time_point rxLine_{}, txLine_{};
};

// Points KSV717N_COM<n> at a device for the lifetime of the object and
// restores the previous value afterwards.
class ScopedPortMapping {
public:
    ScopedPortMapping(int n, const std::string& device);
    ~ScopedPortMapping();
    ScopedPortMapping(const ScopedPortMapping&) = delete;
    ScopedPortMapping& operator=(const ScopedPortMapping&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace ksv::test
