#include "formats/image_diff.h"

#include "image/codecs.h"
#include "image/fields.h"

namespace ksv::formats {
namespace {

std::string fieldBytes(const ImageField& f, const Image& im) {
    std::string s;
    for (const auto& [offset, mask] : f.bits)
        s += (s.empty() ? "" : " ") + hexByte(im[offset]);
    return s;
}

} // namespace

std::vector<FieldChange> compareImages(const Image& a, const Image& b) {
    std::vector<FieldChange> out;
    const RadioType ta = RsType(a);
    const RadioType tb = RsType(b);
    if (ta != tb)
        out.push_back({"Тип радиостанции", modelName(ta), modelName(tb)});

    for (const auto& f : imageFields()) {
        if (!f.differs(a, b))
            continue;
        std::string subject =
            f.channel ? "Канал " + std::to_string(f.channel) + ", " + f.label : f.label;
        std::string before = f.text(a);
        std::string after = f.text(b);
        // Two stored values may show the same text (a tone word rounded to
        // the same frequency); the bytes then tell the difference.
        if (before == after) {
            before += " [" + fieldBytes(f, a) + "]";
            after += " [" + fieldBytes(f, b) + "]";
        }
        out.push_back({std::move(subject), std::move(before), std::move(after)});
    }

    const auto& covered = coveredBits();
    for (int o = 0; o < static_cast<int>(kImageSize); ++o) {
        if (((a[o] ^ b[o]) & ~covered[o]) == 0)
            continue;
        std::string subject = "Байт " + std::to_string(o);
        if (covered[o])
            subject += " (биты, не используемые программой)";
        out.push_back({std::move(subject), hexText(a[o]), hexText(b[o])});
    }
    return out;
}

std::string formatChange(const FieldChange& c) {
    return c.subject + ": " + c.before + " → " + c.after;
}

} // namespace ksv::formats
