#pragma once

// One run of each kind of measurement, as the report takes them.

#include "line_budget.h"

#include <cstdint>
#include <string>

namespace ksv::bench {

struct LinkSample {
    double ms = 0;
    LineTraffic traffic;
    bool ok = false;
};

struct StartupSample {
    double ms = 0; // to exit (show) or to the first window (main window)
    double peakRssMb = 0;
    bool ok = false;
    // Main window only: the start-up sequence ran to its end (radio type
    // chosen, image shown, port search done) before the memory was taken.
    bool sequenceDone = false;
    std::string problem; // why the sample failed or is incomplete
};

struct CardSample {
    double ms = 0;
    std::int64_t bytes = 0; // size of the PDF written
    bool ok = false;
};

} // namespace ksv::bench
