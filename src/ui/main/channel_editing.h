#pragma once

// The menu «Правка» of the main window and the channel table's context
// menu: undo and redo of the window's image, cells and channels cut, copied
// and pasted as a spreadsheet's tab-separated text, cleared, and channels
// inserted, deleted, moved and sorted. Every command is one change of the
// image, so one step of its history.

#include "image/channel_order.h"
#include "ui/model/image_history.h"

#include <QObject>
#include <vector>

class QAction;
class QMenu;
class QMimeData;

namespace ksv {

class MainWindow;

class ChannelEditing : public QObject {
    Q_OBJECT
public:
    // Fills menu with the commands and gives the table its context menu.
    ChannelEditing(MainWindow& form, ImageHistory& history, QMenu* menu);

    // The clipboard format of whole channels copied: their records, so that
    // a paste carries the bits the table does not show.
    static const QString kChannelsFormat;

    QMenu* contextMenu() const { return contextMenu_; }
    QAction* action(const char* name) const;

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void clear();
    void insertChannels();
    void deleteChannels();
    void moveUp() { move(true); }
    void moveDown() { move(false); }
    void sortByReceive();

    // The selection's cells as they are copied, and a paste of data as from
    // the clipboard.
    QMimeData* copiedData() const;
    void pasteData(const QMimeData& data);

    // The commands the table's page and selection allow.
    void updateActions();

private:
    QAction* makeAction(const char* name, const QString& text, const QKeySequence& key);
    void buildActions();
    void buildMenus(QMenu* menu);
    void move(bool up);
    // The priority list and the table's selection follow the channels to
    // their new places.
    void followChannels(const ChannelPlaces& places);
    void pastedRecords(Image& image, const QMimeData& data, int first, int count) const;

    MainWindow& form_;
    ImageHistory& history_;
    QMenu* contextMenu_ = nullptr;
    std::vector<QAction*> actions_;
};

} // namespace ksv
