#include "support/sim_on_port.h"

namespace ksv::test {

SimOnPort::SimOnPort(int comNumber, const Image& image, std::uint8_t status, Start start)
    : comNumber_(comNumber) {
    bind(image, status, start);
}

SimOnPort::~SimOnPort() {
    mapping_.reset();
    sim_.reset();
}

void SimOnPort::replace(const Image& image, std::uint8_t status) {
    mapping_.reset();
    bind(image, status, Start::Now);
}

void SimOnPort::pointAt(const std::string& device) {
    mapping_.reset();
    mapping_ = std::make_unique<ScopedPortMapping>(comNumber_, device);
}

void SimOnPort::bind(const Image& image, std::uint8_t status, Start start) {
    sim_ = std::make_unique<TransceiverSim>();
    sim_->setImage(image);
    sim_->setStatus(status);
    if (start == Start::Now)
        sim_->start();
    mapping_ = std::make_unique<ScopedPortMapping>(comNumber_, sim_->devicePath());
}

} // namespace ksv::test
