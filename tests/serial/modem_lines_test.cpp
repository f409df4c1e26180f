// Which changes of the modem lines the devices report as line events.
#include "serial/serial_device.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

TEST(ModemLines, EachChangedLineAndABeginningRingIsAnEvent) {
    struct Case {
        ModemLines before, now;
        unsigned events;
    };
    const Case cases[] = {
        {{}, {}, 0},
        {{}, {true, false, false, false}, lineev::Cts},
        {{true, true, false, true},
         {false, false, false, false},
         lineev::Cts | lineev::Dsr | lineev::Rlsd},
        {{}, {false, false, true, false}, lineev::Ring},
        {{false, false, true, false}, {}, 0}, // a ring that ends is no event
    };
    for (const Case& c : cases)
        EXPECT_EQ(modemLineEvents(c.before, c.now), c.events);
}

} // namespace
} // namespace ksv
