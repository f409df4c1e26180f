// The programming card composed from arbitrary window texts and values, and
// the template interpreter run on arbitrary templates. Whatever the texts
// hold (control characters, characters no code page has, any length), every
// glyph drawn is a printable code in a cell of the page writer's size, and
// no text moves the card to a line below the sheet. The glyph stretcher
// gives every requested size, a size without area as a null image.
//
// Speed: the fonts are loaded once, each input composes one of the two
// sheets, and the canvas checks without coverage instrumentation.
#include "fuzz_check.h"
#include "print/card_composer.h"
#include "print/card_data.h"
#include "print/page_writer.h"
#include "print/print_fonts.h"
#include "print/templates.h"

#include <QGuiApplication>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace ksv::print;

namespace {

// The checks run for every glyph of a sheet, thousands per input: they are
// kept out of the coverage instrumentation, which would otherwise cost more
// than the composition they check and adds no feedback of use.
class CheckingCanvas final : public Canvas {
public:
    explicit CheckingCanvas(const PageWriter& writer)
        : w_(writer.w()), h_(writer.h()), top_(writer.OrgY) {}
    __attribute__((no_sanitize("coverage"))) void drawGlyph(const QRect& cell, FontId font,
                                                            unsigned char code) override {
        FUZZ_CHECK(code >= 32);
        FUZZ_CHECK(font == FontId::df13x22 || font == FontId::wf13x22);
        FUZZ_CHECK(cell.width() == w_ && cell.height() == h_);
        FUZZ_CHECK(cell.y() >= top_);
        lowest = std::max(lowest, cell.y());
    }
    int lowest = 0;

private:
    const int w_, h_, top_;
};

QString text(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRandomLengthString(64);
    // Half of the texts as UTF-8, half as raw UTF-16 (lone surrogates and all).
    if (in.ConsumeBool())
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QString(reinterpret_cast<const QChar*>(bytes.data()),
                   static_cast<qsizetype>(bytes.size() / 2));
}

CardData card(FuzzedDataProvider& in) {
    CardData d;
    d.fileField = text(in);
    d.date = text(in);
    d.group1First = in.ConsumeIntegralInRange(-3, 260);
    d.group1Last = in.ConsumeIntegralInRange(-3, 260);
    d.group2First = in.ConsumeIntegralInRange(-3, 260);
    d.group2Last = in.ConsumeIntegralInRange(-3, 260);
    for (ChannelCells& c : d.channels) {
        if (!in.ConsumeBool())
            continue;
        c = {text(in), text(in), text(in), text(in), text(in), text(in), text(in)};
    }
    for (QString* s : {&d.shpListen, &d.txLimit, &d.subtoneCancel, &d.powerLevels,
                       &d.group1FirstText, &d.group1LastText, &d.group2FirstText, &d.group2LastText,
                       &d.resumeDelay, &d.carrierTime, &d.priorityChannel, &d.priorityPeriod,
                       &d.toneDuration, &d.audioHold, &d.factoryNumber, &d.firmware, &d.scrambler})
        *s = text(in);
    d.scanTransmit = in.ConsumeIntegralInRange(-3, 8);
    d.priorityScan = in.ConsumeBool();
    d.tones = in.ConsumeBool();
    for (int k = 0; k < kCardTones; ++k) {
        d.toneShown[k] = in.ConsumeBool();
        d.toneHz[k] = in.ConsumeIntegral<int>();
    }
    d.standby = in.ConsumeBool();
    d.rxToneHz = in.ConsumeIntegral<int>();
    d.midBand = in.ConsumeBool();
    return d;
}

const PrintFonts& fonts() {
    static const PrintFonts* f = new PrintFonts;
    return *f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    FUZZ_CHECK(fonts().isValid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const CardData d = card(in);

    PageWriter writer;
    // Screens and printers from 72 to 1200 dots per inch, the two scales in use.
    writer.setResolution(in.ConsumeIntegralInRange(72, 1200), in.ConsumeIntegralInRange(72, 1200));
    writer.Scale = in.PickValueInArray({0.8, 0.65, 0.6, 1.0});
    CardComposer composer(d, writer);

    // One sheet per input from origin cell (1, 1); every value stays on its
    // line, so the card ends within the 64 lines of the sheet.
    const bool sheet1 = in.ConsumeBool();
    writer.SetOrg(1, 1);
    CheckingCanvas canvas(writer);
    if (sheet1)
        composer.DrawList1(canvas, 1, 1);
    else
        composer.DrawList2(canvas, 1, 1);
    FUZZ_CHECK(canvas.lowest <= writer.OrgY + 64 * writer.h());

    // The interpreter on a template of the remaining bytes.
    const std::string tmpl = in.ConsumeRandomLengthString(2048);
    writer.SetOrg(0, 0);
    writer.GotoXY(0, 0);
    CheckingCanvas anywhere(writer);
    composer.DrawTmp(QByteArray(tmpl.data(), static_cast<qsizetype>(tmpl.size())), anywhere);

    // The glyph stretcher at any small size; a cell without area has no
    // pixels to draw, which QImage can only hold as a null image.
    const QSize cell(in.ConsumeIntegralInRange(0, 60), in.ConsumeIntegralInRange(0, 90));
    const QImage g = fonts().glyph(in.ConsumeBool() ? FontId::df13x22 : FontId::wf13x22,
                                   in.ConsumeIntegral<unsigned char>(), cell);
    FUZZ_CHECK(cell.isEmpty() ? g.isNull() : g.size() == cell);
    return 0;
}
