#include "line_budget.h"

#include <algorithm>

namespace ksv::bench {

LineTraffic& LineTraffic::operator+=(const LineTraffic& o) {
    toDevice += o.toDevice;
    fromDevice += o.fromDevice;
    acknowledgedRecords += o.acknowledgedRecords;
    return *this;
}

double lineLimitMs(const LineTraffic& traffic, const LineModel& line) {
    const double bytes = static_cast<double>(traffic.toDevice + traffic.fromDevice);
    return bytes * line.byteMs() + traffic.acknowledgedRecords * line.recordDelayMs;
}

double median(std::vector<double> samples) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

} // namespace ksv::bench
