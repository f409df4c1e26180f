#include "ui/model/channel_model.h"

#include "image/codecs.h"

namespace ksv {

namespace {

// The code a cell text stores. A frequency text that is no number stores
// "Откл", as the window has always stored it.
int codeOf(const ChannelField& f, const QString& text, RadioType type) {
    const std::string t = text.toStdString();
    switch (f.kind) {
    case ChannelValue::Frequency:
        return TxtFrq(t, type, omUser, RangeTable{}).code;
    case ChannelValue::Subtone:
        return TxtSub(t);
    case ChannelValue::Mark:
        break;
    }
    return t == f.mark ? 1 : 0;
}

} // namespace

ChannelModel::ChannelModel(WindowImage& image, QObject* parent)
    : QAbstractTableModel(parent), image_(image) {
    connect(&image_, &WindowImage::changed, this, &ChannelModel::imageChanged);
}

int ChannelModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(tableColumns().size());
}

const ChannelField& ChannelModel::field(int column) {
    return *tableColumns().at(static_cast<std::size_t>(column));
}

int ChannelModel::column(ChannelFieldId id) {
    const auto& fields = tableColumns();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i]->id == id)
            return static_cast<int>(i);
    return -1;
}

QModelIndex ChannelModel::cellOf(int channel, ChannelFieldId id) const {
    return index(channel - 1, column(id));
}

QString ChannelModel::text(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return {};
    const Image& im = image_.image();
    return QString::fromStdString(
        field(index.column()).cell(im.channel(channel(index)), RsType(im)));
}

QVariant ChannelModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return text(index);
}

QVariant ChannelModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < kChannelCount ? QVariant(section + 1) : QVariant();
    return section < columnCount() ? QVariant(QString::fromUtf8(field(section).caption))
                                   : QVariant();
}

Qt::ItemFlags ChannelModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool ChannelModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.model() != this)
        return false;
    const ChannelField& f = field(index.column());
    const int n = channel(index);
    image_.edit([&](Image& im) { f.set(im.channel(n), codeOf(f, value.toString(), RsType(im))); });
    return true;
}

void ChannelModel::imageChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace ksv
