#pragma once

// The operating mode, chosen once at start-up from the command line.

namespace ksv {

enum OperatingMode : int {
    omUser = 0,    // service technician of the customer: user frequency ranges
    omService = 1, // factory service: wide ranges, raw editor, factory number
    omMidBand = 2, // the middle ranges between the user ranges, no scrambler
};

// argc/argv as main() receives them (argv[0] is the program). Only exactly one
// argument counts, compared whole and case-sensitively: "/kvrt" gives service
// mode, "/plmz" mid-band mode; anything else gives user mode, silently.
OperatingMode modeFromArgs(int argc, const char* const* argv);

} // namespace ksv
