#pragma once

// The two lists of the archive window as table models, so that an archive of
// ten thousand states fills its lists without a widget per cell.

#include "files/state_archive.h"

#include <QAbstractTableModel>
#include <vector>

namespace ksv {

// The factory numbers: number, model, first and last state, count; only the
// numbers that contain the filter's digits are shown.
class ArchivedSetsModel : public QAbstractTableModel {
public:
    enum Column { Number, Model, First, Last, States, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    void setSets(std::vector<ArchivedSet> sets);
    void setFilter(const QString& digits);
    const ArchivedSet* setAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    void refilter();
    std::vector<ArchivedSet> all_;
    std::vector<const ArchivedSet*> shown_;
    QString filter_;
};

// The states of one factory number, newest first; the first state kept is
// marked «исходные».
class KeptStatesModel : public QAbstractTableModel {
public:
    enum Column { Time, Model, Mark, File, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    void setStates(std::vector<KeptState> states);
    const KeptState* stateAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    std::vector<KeptState> states_;
};

} // namespace ksv
