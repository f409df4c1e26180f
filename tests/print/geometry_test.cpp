#include "image/defaults.h"
#include "print/card_composer.h"
#include "print/card_from_image.h"
#include "print/card_printing.h"
#include "print/page_writer.h"
#include "print/preview_geometry.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace ksv::print;

namespace {

struct Recorded {
    QRect cell;
    unsigned char code;
    bool operator==(const Recorded&) const = default;
};

class CellLog final : public Canvas {
public:
    void drawGlyph(const QRect& cell, FontId, unsigned char code) override {
        cells.push_back({cell, code});
    }
    std::vector<Recorded> cells;
};

} // namespace

TEST(Geometry, ScreenAt96Dpi) {
    PageWriter w;
    w.setResolution(96, 96);
    EXPECT_EQ(w.CellW, 9);
    EXPECT_EQ(w.CellH, 17);
    w.Scale = 0.8;
    EXPECT_EQ(w.w(), 7);
    EXPECT_EQ(w.h(), 13);
    w.Scale = 0.6;
    EXPECT_EQ(w.w(), 5);
    EXPECT_EQ(w.h(), 10);
    w.SetOrg(80, 0);
    EXPECT_EQ(w.OrgX, 400); // sheet 2 of the one-sheet image
    EXPECT_EQ(w.OrgY, 0);

    const PreviewGeometry g = previewGeometry(96, 96);
    EXPECT_EQ(g.sheet1, QRect(1, 1, 577, 871));
    EXPECT_EQ(g.sheet2, QRect(1, 870 + 51, 577, 871));
    EXPECT_EQ(g.bothSheets, QRect(1, 1, 871, 577));
}

TEST(Geometry, PrinterAt600Dpi) {
    PageWriter w;
    w.setResolution(600, 600);
    EXPECT_EQ(w.CellW, 62);
    EXPECT_EQ(w.CellH, 109);
    w.Scale = 0.8;
    EXPECT_EQ(w.w(), 49);
    EXPECT_EQ(w.h(), 87);
    w.Scale = 0.65;
    EXPECT_EQ(w.w(), 40);
    EXPECT_EQ(w.h(), 70);
}

TEST(Geometry, CursorAndGlyphPlacement) {
    PageWriter w;
    w.setResolution(96, 96);
    w.Scale = 0.8;
    CellLog log;
    // A glyph at cursor (0, 0) lands one cell right of and below the origin.
    w.SetOrg(1, 1);
    w.GotoXY(0, 0);
    w.PutStr("AB\nC\rD", FontId::df13x22, log);
    ASSERT_EQ(log.cells.size(), 4u);
    EXPECT_EQ(log.cells[0].cell, QRect(14, 26, 7, 13));
    EXPECT_EQ(log.cells[1].cell, QRect(21, 26, 7, 13));
    EXPECT_EQ(log.cells[2].cell, QRect(14, 39, 7, 13)); // line feed: next line, column 0
    EXPECT_EQ(log.cells[3].cell, QRect(14, 39, 7, 13)); // carriage return: same line, column 0
    EXPECT_EQ(log.cells[3].code, 'D');
    EXPECT_EQ(w.CurX, 7);
    EXPECT_EQ(w.CurY, 13);

    // A line runs on past 80 columns without wrapping.
    w.GotoXY(79, 0);
    w.PutStr("xy", FontId::wf13x22, log);
    EXPECT_EQ(log.cells.back().cell.topLeft(), QPoint(7 + 81 * 7, 13 + 13));
}

// The printed card matches sheets composed at the layout's scale and origin
// cells: 0.8 at (1, 1) on two portrait pages, 0.65 at (0, 0) and (80, 0) on one.
TEST(Geometry, PrintedLayoutsKeepTheirScaleAndOrigin) {
    const CardData card = cardFromImage(defaultImage(ksv::rtVehicleUhf), ksv::omUser, "c.ust");
    struct Case {
        CardLayout layout;
        double scale;
        QSize cell;                          // at 600 pixels per inch
        std::vector<std::vector<int>> pages; // sheet, origin column, origin row
    };
    const Case cases[] = {{CardLayout::TwoPages, 0.8, {49, 87}, {{1, 1, 1}, {2, 1, 1}}},
                          {CardLayout::OnePage, 0.65, {40, 70}, {{1, 0, 0, 2, 80, 0}}}};
    for (const Case& c : cases) {
        PageWriter writer, reference;
        writer.setResolution(600, 600);
        reference.setResolution(600, 600);
        reference.Scale = c.scale;
        CellLog printed, expected; // page breaks: the glyph count before each new page
        std::vector<std::size_t> printedBreaks, expectedBreaks;
        ASSERT_TRUE(drawPrintedCard(card, c.layout, writer, printed, [&] {
            printedBreaks.push_back(printed.cells.size());
            return true;
        }));
        CardComposer composer(card, reference);
        for (const auto& page : c.pages) {
            if (&page != &c.pages.front())
                expectedBreaks.push_back(expected.cells.size());
            for (std::size_t i = 0; i < page.size(); i += 3)
                std::invoke(page[i] == 1 ? &CardComposer::DrawList1 : &CardComposer::DrawList2,
                            composer, expected, page[i + 1], page[i + 2]);
        }
        EXPECT_EQ(printedBreaks, expectedBreaks);
        EXPECT_TRUE(printed.cells == expected.cells) << c.scale;
        EXPECT_EQ(printed.cells.at(0).cell.size(), c.cell);
    }
}
