#pragma once

// The transceiver simulator bound to a COM name: its pseudo-terminal is what
// KSV717N_COM<n> names for as long as the object lives.
//
//   SimOnPort radio(1, image);        // COM1, answering
//   SimOnPort later(1, image, 0x20, SimOnPort::Start::Later);

#include "support/transceiver_sim.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ksv::test {

class SimOnPort {
public:
    enum class Start { Now, Later };

    explicit SimOnPort(int comNumber, const Image& image = Image{}, std::uint8_t status = 0,
                       Start start = Start::Now);
    ~SimOnPort();
    SimOnPort(const SimOnPort&) = delete;
    SimOnPort& operator=(const SimOnPort&) = delete;

    TransceiverSim& sim() { return *sim_; }
    TransceiverSim* operator->() { return sim_.get(); }
    int comNumber() const { return comNumber_; }

    // A fresh transceiver takes the place of the present one on the same COM
    // name, as when a cable is plugged in again; it answers at once.
    void replace(const Image& image, std::uint8_t status = 0);
    // The COM name points at another device (a missing one: the cable is gone).
    void pointAt(const std::string& device);

private:
    void bind(const Image& image, std::uint8_t status, Start start);

    int comNumber_;
    std::unique_ptr<TransceiverSim> sim_;
    std::unique_ptr<ScopedPortMapping> mapping_;
};

} // namespace ksv::test
