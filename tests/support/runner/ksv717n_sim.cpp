// ksv717n-sim: the transceiver simulator as a program of its own, for trying
// the real program by hand (or timing it) without a transceiver.
//
//   ksv717n-sim [--image FILE.ust | --type N] [--out FILE.ust] [--status BYTE]
//               [--pacing] [--link PATH]
//               [--fleet FILE.ust ... [--fleet-unapplied N] [--fleet-cut N:K]]
//
// It opens a pseudo-terminal, prints its path ("device: /dev/pts/N"), and
// answers there like a transceiver holding the image (a settings file, or
// the default image of radio type N = 0..5 with its checksum). It logs every
// byte received, one line per burst, until SIGINT or SIGTERM; then it writes
// the image it holds to --out, if given. Start the program with
//   KSV717N_COM1=/dev/pts/N ksv717n
// --status sets the status byte (0x20: power lock), --pacing paces both
// directions like a 9600-baud line, --link makes PATH a symbolic link to the
// device. Each --fleet adds a set to a fleet (fleet mode: the sets answer one
// after another, each taken away once the program only polls it);
// --fleet-unapplied N makes set N (from 1) acknowledge its first write
// record without storing it, so that its verification fails; --fleet-cut
// N:K unplugs set N once it has acknowledged K write records, and plugs it
// in again, as it then is, after the last set.

#include "image/checksum.h"
#include "image/defaults.h"
#include "support/transceiver_sim.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <unistd.h>

using ksv::Image;
using ksv::test::TransceiverSim;

namespace {

int usage() {
    std::cerr << "usage: ksv717n-sim [--image FILE.ust | --type 0..5] [--out FILE.ust]\n"
                 "                   [--status BYTE] [--pacing] [--link PATH]\n"
                 "                   [--fleet FILE.ust ... [--fleet-unapplied N]\n"
                 "                                         [--fleet-cut N:K]]\n";
    return 2;
}

bool readImage(const std::string& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return false;
    if (bytes.size() != ksv::kImageSize)
        return false;
    std::memcpy(image.data(), bytes.data(), ksv::kImageSize);
    return true;
}

bool writeImage(const std::string& path, const Image& image) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), ksv::kImageSize);
    return out.good();
}

void printBytes(const char* label, const std::vector<std::uint8_t>& v, std::size_t from) {
    std::printf("%s", label);
    for (std::size_t i = from; i < v.size(); ++i)
        std::printf(" %02X", v[i]);
    std::printf("\n");
    std::fflush(stdout);
}

struct Options {
    std::string imagePath, outPath, linkPath;
    int type = ksv::rtVehicleVhf;
    long status = 0;
    bool pacing = false;
    std::vector<std::string> fleet;
    int unappliedSet = 0;
    int cutSet = 0;
    int cutAfter = -1;
};

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--image" && hasValue)
            o.imagePath = argv[++i];
        else if (a == "--out" && hasValue)
            o.outPath = argv[++i];
        else if (a == "--link" && hasValue)
            o.linkPath = argv[++i];
        else if (a == "--type" && hasValue)
            o.type = std::atoi(argv[++i]);
        else if (a == "--status" && hasValue)
            o.status = std::strtol(argv[++i], nullptr, 0);
        else if (a == "--fleet" && hasValue)
            o.fleet.push_back(argv[++i]);
        else if (a == "--fleet-unapplied" && hasValue)
            o.unappliedSet = std::atoi(argv[++i]);
        else if (a == "--fleet-cut" && hasValue) {
            if (std::sscanf(argv[++i], "%d:%d", &o.cutSet, &o.cutAfter) != 2)
                return false;
        } else if (a == "--pacing")
            o.pacing = true;
        else
            return false;
    }
    return o.type >= 0 && o.type < ksv::kRadioTypeCount && o.status >= 0 && o.status <= 255;
}

bool loadFleet(const Options& o, TransceiverSim& sim) {
    std::vector<ksv::test::SimSet> sets;
    for (const auto& path : o.fleet) {
        ksv::test::SimSet set;
        if (!readImage(path, set.image)) {
            std::cerr << "ksv717n-sim: " << path << " is not a 256-byte settings file\n";
            return false;
        }
        if (static_cast<int>(sets.size()) + 1 == o.unappliedSet)
            set.faults.unappliedRecord = 0;
        if (static_cast<int>(sets.size()) + 1 == o.cutSet)
            set.cutAfterRecords = o.cutAfter;
        sets.push_back(set);
    }
    if (!sets.empty())
        sim.setFleet(sets);
    return true;
}

// Prints what arrives, one line per burst, until SIGINT or SIGTERM.
void logUntilStopped(const TransceiverSim& sim, const sigset_t& stopSignals) {
    std::size_t logged = 0;
    const timespec tick{0, 100'000'000};
    for (;;) {
        const int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        const std::vector<std::uint8_t> received = sim.received();
        if (received.size() > logged) {
            printBytes("received:", received, logged);
            logged = received.size();
        }
        if (sig == SIGINT || sig == SIGTERM)
            return;
    }
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o))
        return usage();
    const std::string &imagePath = o.imagePath, &outPath = o.outPath, &linkPath = o.linkPath;

    Image image = ksv::defaultImage(static_cast<ksv::RadioType>(o.type));
    storeChecksum(image);
    if (!imagePath.empty() && !readImage(imagePath, image)) {
        std::cerr << "ksv717n-sim: " << imagePath << " is not a 256-byte settings file\n";
        return 1;
    }

    // The simulator's thread inherits the mask: only this thread takes the
    // signals that end the run.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TransceiverSim sim;
    sim.setImage(image);
    sim.setStatus(static_cast<std::uint8_t>(o.status));
    sim.setPacing(o.pacing);
    if (!loadFleet(o, sim))
        return 1;
    sim.start();
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());
        if (::symlink(sim.devicePath().c_str(), linkPath.c_str()) != 0) {
            std::cerr << "ksv717n-sim: cannot link " << linkPath << ": " << std::strerror(errno)
                      << "\n";
            return 1;
        }
    }
    std::printf("device: %s\n", sim.devicePath().c_str());
    std::fflush(stdout);

    logUntilStopped(sim, stopSignals);
    sim.stop();

    int applied = 0;
    for (const auto& r : sim.records())
        applied += r.applied ? 1 : 0;
    std::printf("records applied: %d\n", applied);
    if (!outPath.empty()) {
        if (!writeImage(outPath, sim.image())) {
            std::cerr << "ksv717n-sim: cannot write " << outPath << "\n";
            return 1;
        }
        std::printf("image written to %s\n", outPath.c_str());
    }
    if (!linkPath.empty())
        ::unlink(linkPath.c_str());
    return 0;
}
