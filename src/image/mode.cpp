#include "image/mode.h"

#include <cstring>

namespace ksv {

OperatingMode modeFromArgs(int argc, const char* const* argv) {
    if (argc != 2 || argv == nullptr || argv[1] == nullptr)
        return omUser;
    if (std::strcmp(argv[1], "/kvrt") == 0)
        return omService;
    if (std::strcmp(argv[1], "/plmz") == 0)
        return omMidBand;
    return omUser;
}

} // namespace ksv
