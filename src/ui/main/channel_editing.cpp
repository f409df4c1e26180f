#include "ui/main/channel_editing.h"

#include "formats/channel_cells.h"
#include "formats/channel_records.h"
#include "image/fields.h"
#include "ui/dialogs/messages.h"
#include "ui/grid/channel_table.h"
#include "ui/main/settings_pages.h"
#include "ui/model/channel_model.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>

namespace ksv {
namespace {

formats::TableCell tableCell(const QModelIndex& index) {
    return {ChannelModel::channel(index), index.column()};
}

// Whether an image differs from another outside the channel records, so
// that the settings pages must show it again.
bool settingsDiffer(const Image& a, const Image& b) {
    for (const ImageField& f : imageFields())
        if (f.section != Section::Channel && f.differs(a, b))
            return true;
    return false;
}

int columnCount() {
    return static_cast<int>(tableColumns().size());
}

// A channel copied or pasted whole spans the table's columns from the first.
constexpr int kFirstColumn = 0;

} // namespace

ChannelEditing::ChannelEditing(EditedWindow& form, ImageHistory& history, QMenu* menu)
    : form_(form), history_(history) {
    buildActions();
    buildMenus(menu);
    connect(&history_, &ImageHistory::stepsChanged, this, &ChannelEditing::updateActions);
    connect(form_.grid(), &ChannelGrid::cellsPasteRequested, this, &ChannelEditing::paste);
    connect(&history_, &ImageHistory::restored, this, [this](const Image& was) {
        if (settingsDiffer(was, form_.currentImage()))
            form_.refreshFromImage();
        form_.grid()->viewport()->update();
    });
    connect(form_.pages(), &QTabWidget::currentChanged, this, &ChannelEditing::updateActions);
    QItemSelectionModel* selection = form_.grid()->selectionModel();
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            &ChannelEditing::updateActions);
    connect(selection, &QItemSelectionModel::currentChanged, this, &ChannelEditing::updateActions);
    updateActions();
}

QAction* ChannelEditing::makeAction(const char* name, const QString& text,
                                    const QKeySequence& key) {
    auto* action = new QAction(text, form_.hostWindow());
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    actions_.push_back(action);
    return action;
}

QAction* ChannelEditing::action(const char* name) const {
    for (QAction* a : actions_)
        if (a->objectName() == QLatin1String(name))
            return a;
    return nullptr;
}

void ChannelEditing::buildActions() {
    const auto add = [this](const char* name, const char* text, const QKeySequence& key,
                            void (ChannelEditing::*slot)()) {
        connect(makeAction(name, QString::fromUtf8(text), key), &QAction::triggered, this, slot);
    };
    add("Undo", "Отменить", QKeySequence::Undo, &ChannelEditing::undo);
    add("Redo", "Повторить", QKeySequence(Qt::CTRL | Qt::Key_Y), &ChannelEditing::redo);
    action("Redo")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    add("Cut", "Вырезать", QKeySequence::Cut, &ChannelEditing::cut);
    add("Copy", "Копировать", QKeySequence::Copy, &ChannelEditing::copy);
    add("Paste", "Вставить", QKeySequence::Paste, &ChannelEditing::paste);
    add("Clear", "Очистить", QKeySequence(Qt::Key_Delete), &ChannelEditing::clear);
    add("InsertChannel", "Вставить канал", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert),
        &ChannelEditing::insertChannels);
    add("DeleteChannel", "Удалить канал", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
        &ChannelEditing::deleteChannels);
    add("MoveUp", "Переместить вверх", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up),
        &ChannelEditing::moveUp);
    add("MoveDown", "Переместить вниз", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down),
        &ChannelEditing::moveDown);
    add("SortByReceive", "Сортировать по частоте ПРМ", {}, &ChannelEditing::sortByReceive);
    // The table's commands act on its selection: their keys work in the
    // table; undo and redo work anywhere in the window.
    for (QAction* a : actions_) {
        if (a == action("Undo") || a == action("Redo"))
            continue;
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        form_.grid()->addAction(a);
    }
}

void ChannelEditing::buildMenus(QMenu* menu) {
    contextMenu_ = new QMenu(form_.hostWindow());
    contextMenu_->setObjectName(QStringLiteral("ChannelTableMenu"));
    for (QMenu* m : {menu, contextMenu_}) {
        for (const char* name :
             {"Undo", "Redo", "", "Cut", "Copy", "Paste", "Clear", "", "InsertChannel",
              "DeleteChannel", "MoveUp", "MoveDown", "", "SortByReceive"}) {
            if (*name)
                m->addAction(action(name));
            else
                m->addSeparator();
        }
    }
    form_.grid()->setContextMenu(contextMenu_);
}

void ChannelEditing::updateActions() {
    const bool onTable = form_.pages()->currentWidget()->isAncestorOf(form_.grid());
    for (QAction* a : actions_)
        a->setEnabled(onTable);
    action("Undo")->setEnabled(history_.canUndo());
    action("Redo")->setEnabled(history_.canRedo());
    const std::vector<int> channels = form_.grid()->selectedChannels();
    action("MoveUp")->setEnabled(onTable && !channels.empty() && channels.front() > 1);
    action("MoveDown")->setEnabled(onTable && !channels.empty() && channels.back() < kChannelCount);
}

// ---- Undo and redo -----------------------------------------------------------------------

void ChannelEditing::undo() {
    form_.grid()->closeEditors();
    history_.undo();
}

void ChannelEditing::redo() {
    form_.grid()->closeEditors();
    history_.redo();
}

// ---- Cells --------------------------------------------------------------------------------

// Whole channels are copied line by line, with their records; other cells as
// the rectangle that holds them.
QMimeData* ChannelEditing::copiedData() const {
    const ChannelGrid* grid = form_.grid();
    const QModelIndexList cells = grid->selectedCells();
    const std::vector<int> channels = grid->selectedChannels();
    const Image& image = form_.currentImage();
    auto* data = new QMimeData;
    if (cells.isEmpty())
        return data;
    std::string text;
    if (cells.size() == static_cast<qsizetype>(channels.size()) * columnCount()) {
        for (int n : channels)
            text += formats::cellsText(image, {{n, kFirstColumn}, {n, columnCount() - 1}});
        data->setData(QString::fromLatin1(formats::kChannelRecordsFormat),
                      QByteArray::fromStdString(formats::channelRecordsText(image, channels)));
    } else {
        formats::CellBlock block{tableCell(cells.front()), tableCell(cells.front())};
        for (const QModelIndex& cell : cells) {
            block.first.column = std::min(block.first.column, cell.column());
            block.last.column = std::max(block.last.column, cell.column());
        }
        block.last.channel = ChannelModel::channel(cells.back());
        text = formats::cellsText(image, block);
    }
    data->setText(QString::fromStdString(text));
    return data;
}

void ChannelEditing::copy() {
    form_.grid()->closeEditors();
    QGuiApplication::clipboard()->setMimeData(copiedData());
}

void ChannelEditing::cut() {
    copy();
    clear();
}

void ChannelEditing::paste() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        pasteData(*data);
}

// From the current cell on, from the receive frequency into a channel
// selected whole; one cell of text fills every selected cell.
void ChannelEditing::pasteData(const QMimeData& data) {
    const QString text = data.text();
    ChannelGrid* grid = form_.grid();
    grid->closeEditors();
    if (text.isEmpty() || !grid->currentIndex().isValid())
        return;
    formats::TableCell at = tableCell(grid->currentIndex());
    if (grid->currentChannelSelected())
        at.column = kFirstColumn;
    std::vector<formats::TableCell> fill;
    for (const QModelIndex& cell : grid->selectedCells())
        fill.push_back(tableCell(cell));
    const Image& image = form_.currentImage();
    const formats::PasteRules rules{formats::frequencyRules(image, form_.operatingMode()),
                                    form_.priorityScanning()};
    // A text beyond the longest paste is refused as it is, without converting all of it.
    const std::string cells = text.left(formats::kMaxPastedText + 1).toStdString();
    formats::Paste pasted = formats::pasteCells(image, cells, at, fill, rules);
    if (!pasted.ok) {
        if (!pasted.message.empty())
            messenger().error(QString::fromStdString(pasted.message));
        return;
    }
    const formats::CellBlock& b = pasted.block;
    // Whole channels copied in this program bring the bits of their records
    // that the table does not show.
    if (b.first.column == kFirstColumn && b.last.column == columnCount() - 1)
        formats::takeChannelRecords(
            pasted.image,
            data.data(QString::fromLatin1(formats::kChannelRecordsFormat)).toStdString(),
            b.first.channel, b.last.channel - b.first.channel + 1);
    form_.windowImage().set(pasted.image);
    const ChannelModel& model = form_.channels();
    grid->selectCells(model.index(b.first.channel - 1, b.first.column),
                      model.index(b.last.channel - 1, b.last.column));
}

void ChannelEditing::clear() {
    ChannelGrid* grid = form_.grid();
    grid->closeEditors();
    const QModelIndexList cells = grid->selectedCells();
    form_.windowImage().edit([&](Image& image) {
        for (const QModelIndex& cell : cells)
            ChannelModel::field(cell.column()).set(image.channel(ChannelModel::channel(cell)), 0);
    });
}

// ---- Channels -----------------------------------------------------------------------------

void ChannelEditing::insertChannels() {
    ChannelGrid* grid = form_.grid();
    grid->closeEditors();
    const std::vector<int> channels = grid->selectedChannels();
    if (channels.empty())
        return;
    const int at = channels.front();
    const int count = static_cast<int>(channels.size());
    Image image = form_.currentImage();
    const Insertion inserted = ksv::insertChannels(image, at, count);
    if (!inserted.places) {
        messenger().error(QStringLiteral("Канал %1 не пуст: при вставке он вышел бы за конец "
                                         "таблицы. Очистите или удалите его.")
                              .arg(inserted.blocking));
        return;
    }
    form_.windowImage().set(image);
    followChannels(*inserted.places);
    std::vector<int> added;
    for (int n = at; n < at + count; ++n)
        added.push_back(n);
    grid->selectChannels(added);
}

void ChannelEditing::deleteChannels() {
    ChannelGrid* grid = form_.grid();
    grid->closeEditors();
    const std::vector<int> channels = grid->selectedChannels();
    if (channels.empty())
        return;
    Image image = form_.currentImage();
    const ChannelPlaces places = ksv::deleteChannels(image, channels);
    form_.windowImage().set(image);
    followChannels(places);
    grid->selectChannels({channels.front()});
}

void ChannelEditing::move(bool up) {
    form_.grid()->closeEditors();
    Image image = form_.currentImage();
    const auto places = moveChannels(image, form_.grid()->selectedChannels(), up);
    if (!places)
        return;
    form_.windowImage().set(image);
    followChannels(*places);
}

void ChannelEditing::sortByReceive() {
    form_.grid()->closeEditors();
    Image image = form_.currentImage();
    const ChannelPlaces places = sortChannelsByReceive(image);
    form_.windowImage().set(image);
    followChannels(places);
}

void ChannelEditing::followChannels(const ChannelPlaces& places) {
    const auto placeOf = [&](int row) { return places[static_cast<std::size_t>(row)] - 1; };
    QComboBox* priority = form_.controls().list(SettingId::PriorityChannel);
    if (const int i = priority->currentIndex(); i >= 0 && i < kChannelCount && placeOf(i) >= 0)
        priority->setCurrentIndex(placeOf(i));

    ChannelGrid* grid = form_.grid();
    const ChannelModel& model = form_.channels();
    QItemSelection moved;
    for (const QModelIndex& cell : grid->selectionModel()->selectedIndexes())
        if (const int row = placeOf(cell.row()); row >= 0)
            moved.select(model.index(row, cell.column()), model.index(row, cell.column()));
    const QModelIndex current = grid->currentIndex();
    if (const int row = placeOf(current.row()); row >= 0)
        grid->selectionModel()->setCurrentIndex(model.index(row, current.column()),
                                                QItemSelectionModel::NoUpdate);
    grid->selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect);
    grid->scrollTo(grid->currentIndex());
    grid->viewport()->update();
}

} // namespace ksv
