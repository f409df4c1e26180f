// ksv_fontgen <terminus-11x22.pcf.gz> <output directory>
//
// Renders the print fonts df13x22.bmp (code page 866) and wf13x22.bmp (code
// page 1251) from Terminus 11x22: each Terminus glyph is centred in a 13 x 22
// cell; box-drawing, block and shade characters are drawn by the generator so
// that they reach the cell edges.

#include "bmp_writer.h"
#include "font_sets.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

class Terminus {
public:
    explicit Terminus(const char* path) {
        if (FT_Init_FreeType(&lib_) != 0)
            throw std::runtime_error("FreeType does not start");
        if (FT_New_Face(lib_, path, 0, &face_) != 0)
            throw std::runtime_error(std::string("cannot open font ") + path);
        if (face_->num_fixed_sizes < 1 || FT_Select_Size(face_, 0) != 0)
            throw std::runtime_error("not a bitmap font");
        const auto& s = face_->available_sizes[0];
        if (s.width != 11 || s.height != 22)
            throw std::runtime_error("expected an 11 x 22 font");
        ascent_ = int(face_->size->metrics.ascender >> 6);
    }
    ~Terminus() {
        FT_Done_Face(face_);
        FT_Done_FreeType(lib_);
    }
    Terminus(const Terminus&) = delete;
    Terminus& operator=(const Terminus&) = delete;

    // The glyph placed on the font's baseline, moved one pixel right so the
    // 11-pixel design sits in the middle of the 13-pixel cell.
    std::optional<fontgen::Glyph> glyph(char32_t u) const {
        const FT_UInt index = FT_Get_Char_Index(face_, u);
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            return std::nullopt;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        const int left = 1 + slot->bitmap_left;
        const int top = ascent_ - slot->bitmap_top;
        fontgen::Glyph g;
        for (unsigned r = 0; r < bm.rows; ++r)
            for (unsigned c = 0; c < bm.width; ++c) {
                const unsigned char* row = bm.buffer + int(r) * bm.pitch;
                const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO
                                    ? (row[c / 8] & (0x80 >> (c % 8))) != 0
                                    : row[c] >= 128;
                if (on)
                    g.set(left + int(c), top + int(r));
            }
        return g;
    }

private:
    FT_Library lib_ = nullptr;
    FT_Face face_ = nullptr;
    int ascent_ = 0;
};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <terminus-11x22.pcf.gz> <output directory>\n", argv[0]);
        return 2;
    }
    try {
        const Terminus terminus(argv[1]);
        const fontgen::SourceFont source = [&](char32_t u) { return terminus.glyph(u); };
        const fontgen::GlyphSet dos = fontgen::buildDosSet(source);
        const fontgen::GlyphSet win = fontgen::buildWinSet(dos, source);
        const std::string dir = argv[2];
        writeFile(dir + "/df13x22.bmp", fontgen::fontBitmapFile(dos));
        writeFile(dir + "/wf13x22.bmp", fontgen::fontBitmapFile(win));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ksv_fontgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
