#pragma once

// The menu «Правка» of the main window and the channel table's context
// menu: undo and redo of the window's image, cells and channels cut, copied
// and pasted as a spreadsheet's tab-separated text, cleared, and channels
// inserted, deleted, moved and sorted. Every command is one change of the
// image, so one step of its history.

#include "image/channel_order.h"
#include "image/mode.h"
#include "ui/model/image_history.h"

#include <QObject>
#include <vector>

class QAction;
class QMenu;
class QMimeData;
class QTabWidget;
class QWidget;

namespace ksv {

class ChannelGrid;
class ChannelModel;
struct SettingsControls;

// What the editing commands need of the window whose image they edit.
class EditedWindow {
public:
    virtual ~EditedWindow() = default;

    virtual const Image& currentImage() const = 0;
    virtual WindowImage& windowImage() = 0;
    virtual ChannelModel& channels() = 0;
    virtual OperatingMode operatingMode() const = 0;
    virtual ChannelGrid* grid() const = 0;
    virtual QTabWidget* pages() const = 0;
    virtual SettingsControls& controls() = 0;
    virtual bool priorityScanning() const = 0;
    // Refreshes every control from the image (ShowBuf).
    virtual bool refreshFromImage() = 0;
    // Parent of the commands' actions and menus.
    virtual QWidget* hostWindow() = 0;
};

class ChannelEditing : public QObject {
    Q_OBJECT
public:
    // Fills menu with the commands and gives the table its context menu.
    ChannelEditing(EditedWindow& form, ImageHistory& history, QMenu* menu);

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

    EditedWindow& form_;
    ImageHistory& history_;
    QMenu* contextMenu_ = nullptr;
    std::vector<QAction*> actions_;
};

} // namespace ksv
