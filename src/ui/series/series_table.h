#pragma once

// The table of a series: one row per set as it was logged (№, model,
// factory number, firmware, result, bytes written, note). Rows that need the
// engineer's attention stand out by their background.

#include "operations/fleet_session.h"

#include <QColor>
#include <QTableWidget>

namespace ksv {

enum class SeriesAttention {
    None,
    Notice,  // refused, no connection, a card or log row not written: the set is as it was
    Warning, // cut off or verification failed: the set may hold part of the settings
};

SeriesAttention seriesAttention(const FleetSetRecord& record);
QColor seriesAttentionColour(SeriesAttention a); // invalid for None

class SeriesTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { Number, Model, FactoryNumber, Firmware, Result, Bytes, Note, ColumnCount };

    explicit SeriesTable(QWidget* parent = nullptr);

    // Appends the row of a set; shownNumber is its number in the table.
    void addRecord(int shownNumber, const FleetSetRecord& record);
    QString text(int row, Column column) const;
};

} // namespace ksv
