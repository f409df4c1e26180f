#pragma once

// A canvas that writes every glyph the page writer draws into a text grid,
// one character per cell, decoded with the code page of its font. Cell (0, 0)
// of the grid is where the cursor position (0, 0) lands for the origin the
// grid is told, so the grid reads like the template.

#include "print/codepage.h"
#include "print/page_writer.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace ksv::print::test {

class RecordingCanvas final : public Canvas {
public:
    // originColumn/originRow: the cell given to SetOrg for the sheet.
    RecordingCanvas(const PageWriter& writer, int originColumn = 0, int originRow = 0)
        : writer_(writer), originColumn_(originColumn), originRow_(originRow) {}

    void drawGlyph(const QRect& cell, FontId font, unsigned char code) override {
        const int w = writer_.w(), h = writer_.h();
        EXPECT_EQ(cell.width(), w);
        EXPECT_EQ(cell.height(), h);
        EXPECT_EQ(cell.x() % w, 0);
        EXPECT_EQ(cell.y() % h, 0);
        const int col = cell.x() / w - 1 - originColumn_;
        const int row = cell.y() / h - 1 - originRow_;
        ASSERT_GE(col, 0);
        ASSERT_GE(row, 0);
        while (lines.size() <= row)
            lines << QString();
        QString& line = lines[row];
        if (line.size() <= col)
            line = line.leftJustified(col + 1, u' ');
        const QByteArray one(1, char(code));
        line[col] = (font == FontId::df13x22 ? fromCp866(one) : fromCp1251(one)).at(0);
        ++glyphs;
    }

    // The sheet with trailing spaces removed from every line and trailing
    // empty lines dropped.
    QString text() const {
        QStringList out;
        for (const QString& l : lines) {
            QString t = l;
            while (t.endsWith(u' '))
                t.chop(1);
            out << t;
        }
        while (!out.isEmpty() && out.back().isEmpty())
            out.removeLast();
        return out.join(u'\n');
    }

    QStringList lines;
    int glyphs = 0;

private:
    const PageWriter& writer_;
    int originColumn_, originRow_;
};

} // namespace ksv::print::test
