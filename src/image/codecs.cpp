#include "image/codecs.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ksv {

// ---- Frequencies -----------------------------------------------------------

bool RangeTable::contains(int khz) const {
    for (int i = 0; i < count && i < 2; ++i)
        if (ranges[i].min <= khz && khz <= ranges[i].max)
            return true;
    return false;
}

std::string FrqTxt(int code, RadioType type) {
    if (code == 0)
        return kOff;
    return std::to_string(frequencyBase(type) + kStep * code);
}

namespace {

// A signed decimal integer in 32 bits, optionally with a leading sign and
// nothing else around it.
std::optional<long> parseInteger(std::string_view text) {
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    long v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    v = negative ? -v : v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return v;
}

} // namespace

FrqCode TxtFrq(std::string_view text, RadioType type, OperatingMode mode,
               const RangeTable& ranges) {
    if (text == kOff)
        return {0, std::nullopt};
    const int base = frequencyBase(type);
    FrqCode r;
    if (const auto v = parseInteger(text)) {
        r.code = static_cast<int>((*v - base) / kStep); // C++ division truncates toward zero
    } else {
        const std::string t(text);
        r.error = "EConvertError" + t + "'" + t + "' is not a valid integer value";
        r.code = 0;
    }
    if (mode == omMidBand && ranges.count > 0) {
        const int lo = (ranges.ranges[0].min - base) / kStep;
        const int hi = (ranges.ranges[0].max - base) / kStep;
        if (r.code < lo)
            r.code = lo;
        else if (r.code > hi)
            r.code = hi;
    }
    return r;
}

FrqCheck TestFrq(std::string_view text, const RangeTable& ranges) {
    // Frequencies are typed in kHz with exactly six digits.
    if (text.size() != 6)
        return {false, kMsgOutOfRange};
    const auto f = parseInteger(text);
    if (!f)
        return {false, {}};
    for (int i = 0; i < ranges.count && i < 2; ++i) {
        const Range& r = ranges.ranges[i];
        if (r.min <= *f && *f <= r.max) {
            if (*f % kStep != 0)
                return {false, kMsgNot25};
            return {true, {}};
        }
    }
    return {false, kMsgOutOfRange};
}

// ---- Ranges per type and mode ------------------------------------------------

Diap DiapTxt(RadioType type, OperatingMode mode) {
    Diap d;
    d.scramblerItems.push_back("Отсутствует");
    if (type == rtVehicleVhf || type == rtStationaryVhf)
        d.scramblerItems.push_back("09ЛС400-07Б");
    else if (type == rtVehicleUhf || type == rtStationaryUhf)
        d.scramblerItems.push_back("09ЛС400-07В");

    const bool vhf = isVhf(type);
    RangeTable& t = d.ranges;
    switch (mode) {
    case omService:
        t.count = 1;
        t.ranges[0] = vhf ? Range{148000, 173000} : Range{450000, 470000};
        break;
    case omMidBand:
        t.count = 1;
        t.ranges[0] = vhf ? Range{149025, 171125} : Range{453025, 459975};
        break;
    case omUser:
    default:
        t.count = 2;
        t.ranges[0] = vhf ? Range{148000, 149000} : Range{450000, 453000};
        t.ranges[1] = vhf ? Range{171150, 173000} : Range{460000, 463000};
        break;
    }

    std::string text = std::string(modelName(type)) + ": ";
    for (int i = 0; i < t.count; ++i) {
        if (i > 0)
            text += ", ";
        text += std::to_string(t.ranges[i].min) + "-" + std::to_string(t.ranges[i].max);
    }
    d.text = text + " кГц";

    d.hideScramblerBar = mode == omMidBand;
    if (vhf)
        d.toneTab = TabVisibility::Show;
    else if (mode == omUser)
        d.toneTab = TabVisibility::Hide;
    else
        d.toneTab = TabVisibility::Unchanged;
    return d;
}

// ---- Subtones ------------------------------------------------------------------

const std::array<const char*, kSubtoneCount>& subtoneTable() {
    static const std::array<const char*, kSubtoneCount> table = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
    };
    return table;
}

std::string SubTxt(int code) {
    if (code == 0)
        return kOff;
    if (code >= 1 && code <= kSubtoneCount)
        return subtoneTable()[code - 1];
    // Codes 51..63 name no tone; show the raw code so that it survives a store.
    return "#" + std::to_string(code & 0x3F);
}

int FindSubton(std::string_view text, const std::array<const char*, kSubtoneCount>& table,
               int highest) {
    for (int i = 0; i <= highest && i < kSubtoneCount; ++i)
        if (text == table[i])
            return i + 1;
    return 0;
}

int TxtSub(std::string_view text) {
    if (text == kOff)
        return 0;
    if (text.size() == 3 && text[0] == '#' && text[1] >= '5' && text[1] <= '6' && text[2] >= '0' &&
        text[2] <= '9') {
        const int code = (text[1] - '0') * 10 + (text[2] - '0');
        if (code > kSubtoneCount && code <= 63)
            return code;
    }
    return FindSubton(text, subtoneTable(), kSubtoneCount - 1);
}

// ---- Factory number, firmware, channel marks -----------------------------------------

std::string ZnTxt(const Image& image) {
    std::string s = std::to_string(image.factoryNumber());
    // Zero-fill to six digits; a 7-digit number (up to 1048575) stays whole.
    if (s.size() < 6)
        s.insert(0, 6 - s.size(), '0');
    return s;
}

void ZnToBuf(std::uint32_t n, Image& image) {
    image.set(map::FactoryNumber.bits(), n); // bits above bit 19 are dropped
}

std::string VerTxt(const Image& image) {
    const int v = image.get(map::Firmware);
    std::string s = std::to_string(v / 10) + "." + std::to_string(v % 10);
    return s == "21.0" ? "0.1" : s;
}

std::string ZapTxt(std::uint8_t flags) {
    return (flags & map::record::Prohibit.mask()) ? kProhibitMark : "";
}
std::string STxt(std::uint8_t flags) {
    return (flags & map::record::ScanS.mask()) ? kScanSMark : "";
}
std::string LTxt(std::uint8_t flags) {
    return (flags & map::record::ScanL.mask()) ? kScanLMark : "";
}

// ---- Hex pair ------------------------------------------------------------------------------

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // lower case is refused as well: the editor shows upper case only
}
} // namespace

std::optional<std::uint8_t> hexPair(char hi, char lo) {
    const int a = hexDigit(hi);
    const int b = hexDigit(lo);
    if (a < 0 || b < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(16 * a + b);
}

std::string hexByte(std::uint8_t v) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[v >> 4], digits[v & 0x0F]};
}

// ---- Tone signalling and standby reception -------------------------------------------------

std::uint16_t toneEncode(int hz) {
    // std::nearbyint rounds half to even in the default rounding mode.
    const long n = static_cast<long>(std::nearbyint(18000000.0 / (8.0 * hz)));
    return static_cast<std::uint16_t>(~static_cast<std::uint16_t>(n & 0xFFFF));
}

std::optional<int> toneDecode(std::uint16_t word) {
    const int n = (255 - (word & 0xFF)) + 256 * (255 - (word >> 8));
    if (n == 0)
        return std::nullopt; // no frequency; the window shows its upper limit instead
    return static_cast<int>(std::nearbyint(18000000.0 / (8.0 * n) / 10.0)) * 10;
}

namespace {

struct Coefficient {
    std::uint8_t scale;
    std::uint8_t packed;
    int sign;
};

Coefficient coefficient(double x) {
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kSampling = 7005.2539;
    const double c = 2.0 * std::cos(2.0 * kPi * x / kSampling);
    Coefficient r{};
    r.sign = c < 0 ? 1 : 0;
    double a = std::fabs(c) + 0.001953125;
    int bits[8];
    for (int k = 0; k < 8; ++k) {
        bits[k] = a >= 1.0 ? 1 : 0;
        a = 2.0 * (a - std::floor(a));
    }
    int packed = 0;
    double q = 0;
    for (int k = 0; k < 8; ++k) {
        packed = packed * 2 + bits[k];
        q += bits[k] / static_cast<double>(1 << k);
    }
    int scale = 0;
    if (q != 0) {
        scale = static_cast<int>(255.0 / q);
        if (scale > 256)
            scale = 0;
    }
    r.scale = static_cast<std::uint8_t>(scale & 0xFF);
    r.packed = static_cast<std::uint8_t>(packed);
    return r;
}

} // namespace

std::array<std::uint8_t, 5> detectorCoefficients(int hz) {
    const double f = hz;
    const double g = f <= 1751.313475 ? f + 100 : f - 100;
    const Coefficient cg = coefficient(g);
    const Coefficient cf = coefficient(f);
    return {cg.scale, cg.packed, cf.scale, cf.packed,
            static_cast<std::uint8_t>(2 * cf.sign + cg.sign)};
}

} // namespace ksv
