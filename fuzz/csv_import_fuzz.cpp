// The channel table import on arbitrary text: it either refuses the whole
// file with at least one message, or accepts it finished as a store of the
// window (a valid checksum, the stored bit set) and changes nothing else
// outside the channel records.
#include "formats/channel_csv.h"
#include "fuzz_check.h"
#include "image/checksum.h"
#include "image/defaults.h"

#include <string_view>

using namespace ksv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the base type and the mode; the rest is the file.
    const int type = data[0] % kRadioTypeCount;
    const auto mode = static_cast<OperatingMode>((data[0] / kRadioTypeCount) % 3);
    Image base = defaultImage(static_cast<RadioType>(type));
    base.set(map::PriorityChannel, 5); // L marks are allowed
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const formats::CsvImport r = formats::importChannelsCsv(text, base, mode);
    if (!r.ok) {
        FUZZ_CHECK(!r.errors.empty());
        return 0;
    }
    FUZZ_CHECK(r.errors.empty());
    FUZZ_CHECK(CheckCRC(r.image));
    Image expected = base;
    expected.setStoredBit(true);
    for (int i = 0; i < static_cast<int>(kImageSize); ++i) {
        const bool channel = i >= map::FirstRecord && i < Image::recordOffset(kChannelCount + 1);
        if (!channel && i != map::Checksum.offset())
            FUZZ_CHECK(r.image[i] == expected[i]);
    }
    return 0;
}
