#include "ui/series/series_table.h"

#include "image/codecs.h"
#include "operations/outcome_words.h"

#include <QHeaderView>

namespace ksv {

SeriesAttention seriesAttention(const FleetSetRecord& record) {
    switch (severity(record)) {
    case Severity::SetInDoubt:
        return SeriesAttention::Warning;
    case Severity::NotDone:
    case Severity::NoAnswer:
        return SeriesAttention::Notice;
    case Severity::Done:
        break;
    }
    return SeriesAttention::None;
}

QColor seriesAttentionColour(SeriesAttention a) {
    switch (a) {
    case SeriesAttention::Warning:
        return QColor(0xf6, 0xc4, 0xc0);
    case SeriesAttention::Notice:
        return QColor(0xfc, 0xe8, 0xb2);
    case SeriesAttention::None:
        break;
    }
    return {};
}

SeriesTable::SeriesTable(QWidget* parent) : QTableWidget(0, ColumnCount, parent) {
    setObjectName(QStringLiteral("SeriesTable"));
    setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Модель"),
                               QStringLiteral("Зав. №"), QStringLiteral("Версия ПО"),
                               QStringLiteral("Результат"), QStringLiteral("Байт записано"),
                               QStringLiteral("Примечание")});
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    horizontalHeader()->setStretchLastSection(true);
    for (int c : {Number, Model, FactoryNumber, Firmware, Bytes})
        horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    setColumnWidth(Result, 330);
}

void SeriesTable::addRecord(int shownNumber, const FleetSetRecord& record) {
    const FleetSetReport& r = record.report;
    const auto read = [&r](const std::string& s) {
        return r.read ? QString::fromStdString(s) : QString();
    };
    const QString cells[ColumnCount] = {
        QString::number(shownNumber),
        read(modelName(RsType(r.asRead))),
        read(ZnTxt(r.asRead)),
        read(VerTxt(r.asRead)),
        fleetResultText(r.result, r.reason),
        QString::number(r.bytesWritten),
        record.notes.join(QStringLiteral(", ")),
    };
    // The original of a cut-off set is the state read at this connection.
    const QString tip = r.result == FleetResult::WriteCutOff && !record.keptPath.isEmpty()
                            ? fleetCutOffAdvice(record)
                            : QString();
    const QColor colour = seriesAttentionColour(seriesAttention(record));
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setToolTip(tip.isEmpty() ? cells[c] : tip);
        if (colour.isValid())
            item->setBackground(colour);
        if (c == Number || c == Bytes)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, c, item);
    }
    scrollToItem(item(row, 0));
}

QString SeriesTable::text(int row, Column column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

} // namespace ksv
