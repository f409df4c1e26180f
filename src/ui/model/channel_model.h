#pragma once

// The 40 channel records of the window's image as a table: one row per
// channel, one column per field the channel table shows, in the order, with
// the captions and texts that the field declaration gives them. Reading
// shows the image; setData() changes it through the window's image, so the
// table holds no copy of its own.

#include "image/fields.h"
#include "ui/model/window_image.h"

#include <QAbstractTableModel>

namespace ksv {

class ChannelModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelModel(WindowImage& image, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell text (display and edit role), as the field declaration spells it.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Columns: the field's caption, its two lines split by '\n'; rows: the
    // channel number.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores a cell text into the image (edit role): a frequency ("Откл" or
    // kHz), a subtone text, or a mark (its text sets it, anything else
    // clears it). The editors check a value before they store it.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The field shown in a column, and the column of a field (-1 for none).
    static const ChannelField& field(int column);
    static int column(ChannelFieldId id);
    static int channel(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex cellOf(int channel, ChannelFieldId id) const;
    QString text(const QModelIndex& index) const;

private:
    void imageChanged();

    WindowImage& image_;
};

} // namespace ksv
