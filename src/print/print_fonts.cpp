#include "print/print_fonts.h"

#include <QColor>
#include <QFile>
#include <vector>

// The resources live in a static library; register them before first use.
static void initPrintFontResources() {
    Q_INIT_RESOURCE(print_fonts);
}

namespace ksv::print {

namespace {

constexpr int kColumns = 32;

QString resourcePath(FontId font) {
    return font == FontId::df13x22 ? QStringLiteral(":/print/fonts/df13x22.bmp")
                                   : QStringLiteral(":/print/fonts/wf13x22.bmp");
}

// Source pixels [first, last) that destination pixel i of n takes from a
// source of m pixels: for enlargement the one it falls on, for reduction all
// those whose start falls inside it.
std::vector<std::pair<int, int>> spans(int m, int n) {
    std::vector<std::pair<int, int>> out(std::size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        if (n >= m) {
            const int s = i * m / n;
            out[i] = {s, s + 1};
        } else {
            const int first = (i * m + n - 1) / n;
            const int last = ((i + 1) * m + n - 1) / n;
            out[i] = {first, std::max(last, first + 1)};
        }
    }
    return out;
}

} // namespace

PrintFonts::PrintFonts() {
    initPrintFontResources();
    const auto load = [](FontId f) {
        QImage img(resourcePath(f), "BMP");
        return img.convertToFormat(QImage::Format_Grayscale8);
    };
    dos_ = load(FontId::df13x22);
    win_ = load(FontId::wf13x22);
}

QRect PrintFonts::glyphRect(unsigned char code) {
    const int index = code - 32;
    return QRect((index % kColumns) * kGlyphW, (index / kColumns) * kGlyphH, kGlyphW, kGlyphH);
}

QByteArray PrintFonts::fileBytes(FontId font) {
    initPrintFontResources();
    QFile f(resourcePath(font));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QImage PrintFonts::glyph(FontId font, unsigned char code, QSize size) const {
    if (size.isEmpty())
        return {};
    const quint64 key = (quint64(font == FontId::wf13x22) << 56) | (quint64(code) << 48) |
                        (quint64(quint32(size.width()) & 0xFFFFFF) << 24) |
                        quint64(quint32(size.height()) & 0xFFFFFF);
    if (const auto it = cache_.constFind(key); it != cache_.constEnd())
        return *it;

    // One bit per pixel, index 0 black (ink) and 1 white: a printer's PDF
    // engine turns such an image into a stencil of its ink.
    QImage out(size, QImage::Format_Mono);
    out.setColorTable({QColor(Qt::black).rgba(), QColor(Qt::white).rgba()});
    out.fill(1);
    const QImage& src = bitmap(font);
    if (code >= 32 && !src.isNull()) {
        const QRect r = glyphRect(code);
        const auto xs = spans(kGlyphW, size.width());
        const auto ys = spans(kGlyphH, size.height());
        for (int y = 0; y < size.height(); ++y) {
            uchar* line = out.scanLine(y);
            for (int x = 0; x < size.width(); ++x) {
                bool ink = false;
                for (int sy = ys[y].first; sy < ys[y].second && !ink; ++sy) {
                    const uchar* s = src.constScanLine(r.y() + sy);
                    for (int sx = xs[x].first; sx < xs[x].second && !ink; ++sx)
                        ink = s[r.x() + sx] < 128;
                }
                if (ink)
                    line[x / 8] = uchar(line[x / 8] & ~(0x80 >> (x % 8)));
            }
        }
    }
    // Many sizes (a preview zoomed step by step) would otherwise keep every
    // glyph of each of them.
    if (cache_.size() >= kCachedGlyphs)
        cache_.clear();
    cache_.insert(key, out);
    return out;
}

} // namespace ksv::print
