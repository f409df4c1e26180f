#pragma once

// What the serial line itself allows: the time the bytes of an exchange need
// on a line of a given speed, plus the time the transceiver spends on each
// written record. Measured times are compared against this limit.

#include <cstddef>
#include <vector>

namespace ksv::bench {

// Bytes that crossed the line during one measurement, and the write records
// the transceiver acknowledged (each costs it its record delay).
struct LineTraffic {
    std::size_t toDevice = 0;
    std::size_t fromDevice = 0;
    int acknowledgedRecords = 0;

    LineTraffic& operator+=(const LineTraffic& o);
};

struct LineModel {
    int baud = 9600;
    int bitsPerByte = 10; // start bit, 8 data bits, stop bit
    double recordDelayMs = 5;

    double byteMs() const { return 1000.0 * bitsPerByte / baud; }
};

// The shortest time the exchange can take. Requests and answers follow each
// other (the transceiver answers only a complete request), so the two
// directions add up rather than overlap.
double lineLimitMs(const LineTraffic& traffic, const LineModel& line);

// The median of the samples (mean of the middle two for an even count);
// 0 for none.
double median(std::vector<double> samples);

} // namespace ksv::bench
