#pragma once

// Another view for the exchanges of a PortExchange for as long as the object
// lives, e.g. a window that shows a series of exchanges itself instead of
// the progress window popping up for each; the former view comes back at
// the end of the scope.

#include "link/port_exchange.h"

namespace ksv {

class ExchangeViewSwap {
public:
    ExchangeViewSwap(PortExchange& exchange, ExchangeView& view)
        : exchange_(exchange), former_(exchange.view()) {
        exchange_.setView(view);
    }
    ~ExchangeViewSwap() { exchange_.setView(former_); }
    ExchangeViewSwap(const ExchangeViewSwap&) = delete;
    ExchangeViewSwap& operator=(const ExchangeViewSwap&) = delete;

private:
    PortExchange& exchange_;
    ExchangeView& former_;
};

} // namespace ksv
