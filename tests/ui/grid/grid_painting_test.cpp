#include "grid_fixture.h"
#include "ui/grid/channel_paint.h"

#include <QPainter>

#include <QDir>
#include <QImage>
#include <QScrollBar>

namespace ksv::test {
namespace {

class GridPaintingTest : public GridTest {
protected:
    QImage grab() const { return grid->grab().toImage(); }

    // The cell's rectangle in the grabbed image.
    QRect cellRect(int col, int row) const {
        const QRect r = grid->visualRect(at(col, row));
        return r.translated(grid->viewport()->mapTo(grid, QPoint(0, 0)));
    }

    struct Ink {
        QRgb background = 0;
        int pixels = 0;    // pixels that differ from the background
        int darkest = 255; // lowest grey level among them
    };

    // Background from the bottom-right area of the cell, where no short text
    // reaches; ink counted over the whole cell inside the focus frame.
    static Ink inkOf(const QImage& image, const QRect& rect) {
        Ink ink;
        ink.background = image.pixel(rect.right() - 3, rect.bottom() - 2);
        for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
            for (int x = rect.left() + 1; x < rect.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (p == ink.background)
                    continue;
                ++ink.pixels;
                ink.darkest = std::min(ink.darkest, qGray(p));
            }
        }
        return ink;
    }
};

TEST_F(GridPaintingTest, RowsArePaintedByGroupAndPriority) {
    context.first[0] = 5;
    context.last[0] = 10;
    context.first[1] = 20;
    context.last[1] = 40;
    context.scanning = true;
    context.priority = 3;
    for (int row : {1, 3, 10, 12, 20})
        setCell(1, row, QStringLiteral("148000"));
    select(5, 10); // the selection changes no colour
    grid->setFocus();
    const QImage image = grab();

    const QRgb grey = qRgb(229, 221, 221);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb pink = qRgb(255, 170, 170);
    EXPECT_EQ(image.pixel(cellRect(5, 1).center()), grey);
    EXPECT_EQ(image.pixel(cellRect(5, 10).center()), white);
    EXPECT_EQ(image.pixel(cellRect(5, 20).center()), white);
    EXPECT_EQ(image.pixel(cellRect(5, 3).center()), pink);
    EXPECT_EQ(image.pixel(cellRect(7, 11).center()), grey);

    const Ink outside = inkOf(image, cellRect(1, 1));
    const Ink inGroup = inkOf(image, cellRect(1, 10));
    const Ink priority = inkOf(image, cellRect(1, 3));
    EXPECT_EQ(outside.background, grey);
    EXPECT_EQ(inGroup.background, white);
    EXPECT_EQ(priority.background, pink);
    ASSERT_GT(outside.pixels, 20);
    EXPECT_NEAR(outside.darkest, 128, 12); // grey text
    EXPECT_LT(inGroup.darkest, 40);        // black text
    EXPECT_LT(priority.darkest, 40);
    EXPECT_GT(inGroup.pixels, outside.pixels * 11 / 10); // bold
    EXPECT_LT(priority.pixels, inGroup.pixels);          // channel 3: in no group, regular

    // The priority channel in a group keeps the bold weight.
    context.priority = 12;
    context.first[0] = 10;
    context.last[0] = 12;
    grid->viewport()->update();
    const Ink boldPriority = inkOf(grab(), cellRect(1, 12));
    EXPECT_EQ(boldPriority.background, pink);
    EXPECT_EQ(boldPriority.pixels, inGroup.pixels);

    // Without priority scanning the priority channel is painted as its group.
    context.scanning = false;
    grid->viewport()->update();
    EXPECT_EQ(grab().pixel(cellRect(5, 12).center()), white);
}

TEST_F(GridPaintingTest, TextStartsAtTheTopLeftAndWrapsAtWords) {
    setCell(5, 1, QStringLiteral("Запрет"));
    QImage image = grab();
    const QRect ban = cellRect(5, 1);
    const Ink banInk = inkOf(image, ban);
    const CellLook banLook = channelLook(context, 1);
    ASSERT_GT(banInk.pixels, 0);
    // Ink in the first rows and columns of the cell.
    bool topLeft = false;
    for (int y = ban.top(); y < ban.top() + 8; ++y)
        for (int x = ban.left(); x < ban.left() + 4; ++x)
            topLeft = topLeft || image.pixel(x, y) != banInk.background;
    EXPECT_TRUE(topLeft);
    // A long text breaks into a second line, clipped at the cell's bottom.
    const QRect wrap = cellRect(6, 1);
    {
        QPainter p(&image);
        paintDataCell(p, wrap, QStringLiteral("a b c d e f g h i j k l m n o"), banLook,
                      grid->font(), false);
    }
    bool lowerHalf = false;
    for (int y = wrap.top() + 15; y < wrap.bottom(); ++y)
        for (int x = wrap.left() + 1; x < wrap.right(); ++x)
            lowerHalf = lowerHalf || image.pixel(x, y) != image.pixel(wrap.right() - 1, wrap.top());
    EXPECT_TRUE(lowerHalf);
}

// Writes pictures of a filled table when KSV717N_SHOTS names a folder.
TEST_F(GridPaintingTest, Screenshot) {
    const QString dir = qEnvironmentVariable("KSV717N_SHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set KSV717N_SHOTS to a folder to get the pictures";
    context.first[0] = 1;
    context.last[0] = 8;
    context.first[1] = 15;
    context.last[1] = 22;
    context.scanning = true;
    context.priority = 5;
    const char* tones[] = {"Откл", "67.0", "100.0", "254.1", "123.0"};
    for (int row = 1; row <= 40; ++row) {
        setCell(1, row, QString::number(148000 + 25 * (row - 1)));
        setCell(2, row, row % 7 == 0 ? kOffText : QString::number(171150 + 25 * row));
        setCell(3, row, QString::fromUtf8(tones[row % 5]));
        setCell(4, row, QString::fromUtf8(tones[(row + 2) % 5]));
        setCell(5, row, row % 4 == 0 ? QStringLiteral("Запрет") : QString());
        setCell(6, row, row % 3 != 0 ? QStringLiteral("S") : QString());
        setCell(7, row, row % 5 == 1 ? QStringLiteral("L") : QString());
    }
    select(2, 4);
    window->resize(grid->sizeHint().width(), 520);
    grid->setFocus();
    QDir().mkpath(dir);
    EXPECT_TRUE(window->grab().save(dir + "/grid-mixed.png"));
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    EXPECT_TRUE(window->grab().save(dir + "/grid-mixed-bottom.png"));
    enterOn(3, 40);
    EXPECT_TRUE(window->grab().save(dir + "/grid-subtone-editor.png"));
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    enterOn(1, 39);
    EXPECT_TRUE(window->grab().save(dir + "/grid-frequency-editor.png"));
}

} // namespace
} // namespace ksv::test
