#pragma once

// Composes the two sheets of the programming card by interpreting their page
// templates: template characters go to the page writer in df13x22, each
// placeholder "$" + key is replaced by its value text in wf13x22.

#include "print/card_data.h"
#include "print/page_writer.h"

#include <QByteArray>

namespace ksv::print {

class CardComposer {
public:
    CardComposer(const CardData& data, PageWriter& writer) : data_(data), writer_(writer) {}

    // Sheet 1 (channel table) / sheet 2 (parameters, tone table) with the
    // page origin at the given character cell.
    void DrawList1(Canvas& canvas, int column, int row);
    void DrawList2(Canvas& canvas, int column, int row);

    // Interprets one template from its start to its form feed (or its end).
    void DrawTmp(const QByteArray& tmpl, Canvas& canvas);

private:
    enum class Step { Continue, EndOfSheet };
    Step placeholder(char key, Canvas& canvas, QByteArray& value);
    QByteArray channelCell(char key) const;
    QByteArray scanTransmitLine(char key) const;
    Step toneRow(Canvas& canvas, QByteArray& value);
    void drawDateEnd(Canvas& canvas, const QByteArray& lead);

    const CardData& data_;
    PageWriter& writer_;
    int row_ = 0;          // channel number on sheet 1, tone number on sheet 2
    bool inGroup_ = false; // the current channel row belongs to a group
    int room_ = 0;         // characters from the placeholder to the end of its line
};

// The file field's value in a room of so many characters up to the end of
// its line, so that the line after it ("Лист 1") is never overwritten: the
// whole path when it fits, else the file name alone, else the name with its
// middle left out ("..."). Code page 1251, with the space that ends it.
QByteArray fileFieldValue(const QString& field, int room);

} // namespace ksv::print
