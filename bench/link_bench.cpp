#include "link_bench.h"

#include "full_change.h"
#include "operations/transceiver_commands.h"

#include <fstream>

namespace ksv::bench {

namespace {

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool writeFile(const std::string& path, const Image& image) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<long>(image.size()));
    return out.good();
}

} // namespace

LineTraffic trafficOf(const test::TransceiverSim& sim) {
    LineTraffic t;
    t.toDevice = sim.received().size();
    t.fromDevice = sim.sentCount();
    for (const auto& r : sim.records())
        t.acknowledgedRecords += r.acknowledged ? 1 : 0;
    return t;
}

LinkBench::LinkBench(test::TransceiverSim& sim) : sim_(sim), exchange_(port_, timer_, view_) {
    configureSerialPort(port_);
}

LinkBench::~LinkBench() {
    close();
}

bool LinkBench::open() {
    port_.setDeviceName(sim_.devicePath());
    port_.setOpen(true);
    return port_.Open();
}

void LinkBench::close() {
    port_.setOpen(false);
}

LinkSample LinkBench::measure(const std::function<bool()>& exchange) {
    sim_.clearLog();
    const auto start = Clock::now();
    LinkSample s;
    s.ok = exchange();
    s.ms = msSince(start);
    s.traffic = trafficOf(sim_);
    return s;
}

LinkSample LinkBench::read() {
    return measure([this] {
        Image image;
        std::uint8_t status = 0;
        return exchange_.ReadData(image, status) && image == sim_.image();
    });
}

LinkSample LinkBench::readCommand(const StateArchive* archive) {
    Image next = sim_.image();
    ++next[251];
    sim_.setImage(next);
    return measure([&] {
        const ReadOutcome r = readTransceiver(exchange_, archive);
        return r.connected && r.image == next && (!archive || r.kept.status == KeepResult::Kept);
    });
}

LinkSample LinkBench::write() {
    const Image before = sim_.image();
    const WriteList list = listChangingEveryOffset(before);
    LinkSample s = measure([&] { return exchange_.WriteData(list); });
    s.ok = s.ok && s.traffic.acknowledgedRecords == list.count;
    return s;
}

LinkSample LinkBench::verify() {
    const Image expected = sim_.image();
    return measure([&] { return exchange_.VerifyData(expected, false); });
}

LinkSample cliWrite(test::TransceiverSim& sim, const std::string& cliPath,
                    const std::string& workDir) {
    const Image before = sim.image();
    const Image file = fileChangingEveryOffset(before);
    const std::string filePath = workDir + "/every-offset.ust";
    LinkSample s;
    if (!writeFile(filePath, file))
        return s;
    ChildLaunch launch;
    launch.argv = {cliPath, "write", "--port", sim.devicePath(), filePath};
    launch.env = safePortEnvironment();
    launch.outputPath = workDir + "/cli-write.log";
    sim.clearLog();
    const ChildExit e = runChild(launch, std::chrono::seconds(60));
    s.ms = e.wallMs;
    s.traffic = trafficOf(sim);
    s.ok = e.exitCode == 0 && sim.image() != before;
    return s;
}

} // namespace ksv::bench
