#include "ui/archive/archive_models.h"

#include <QDir>
#include <QFileInfo>

namespace ksv {

void ArchivedSetsModel::setSets(std::vector<ArchivedSet> sets) {
    beginResetModel();
    all_ = std::move(sets);
    refilter();
    endResetModel();
}

void ArchivedSetsModel::setFilter(const QString& digits) {
    beginResetModel();
    filter_ = digits.trimmed();
    refilter();
    endResetModel();
}

void ArchivedSetsModel::refilter() {
    shown_.clear();
    for (const ArchivedSet& s : all_)
        if (s.number.contains(filter_))
            shown_.push_back(&s);
}

const ArchivedSet* ArchivedSetsModel::setAt(int row) const {
    return row >= 0 && row < int(shown_.size()) ? shown_[std::size_t(row)] : nullptr;
}

int ArchivedSetsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

int ArchivedSetsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ArchivedSetsModel::data(const QModelIndex& index, int role) const {
    const ArchivedSet* s = setAt(index.row());
    if (!s)
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == States)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return s->number;
    case Model:
        return s->model;
    case First:
        return s->firstTime;
    case Last:
        return s->lastTime;
    case States:
        return s->states;
    }
    return {};
}

QVariant ArchivedSetsModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    static const char* const names[ColumnCount] = {"Зав. №", "Модель", "Первое состояние",
                                                   "Последнее состояние", "Состояний"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QString();
}

void KeptStatesModel::setStates(std::vector<KeptState> states) {
    beginResetModel();
    states_ = std::move(states);
    endResetModel();
}

const KeptState* KeptStatesModel::stateAt(int row) const {
    return row >= 0 && row < int(states_.size()) ? &states_[std::size_t(row)] : nullptr;
}

int KeptStatesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(states_.size());
}

int KeptStatesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KeptStatesModel::data(const QModelIndex& index, int role) const {
    const KeptState* s = stateAt(index.row());
    if (!s)
        return {};
    if (role == Qt::ToolTipRole)
        return QDir::toNativeSeparators(s->path);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Time:
        return s->time;
    case Model:
        return s->model;
    case Mark:
        return s->original ? QStringLiteral("исходные") : QString();
    case File:
        return QFileInfo(s->path).fileName();
    }
    return {};
}

QVariant KeptStatesModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    static const char* const names[ColumnCount] = {"Дата и время", "Модель", "", "Файл"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QString();
}

} // namespace ksv
