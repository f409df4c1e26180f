#pragma once

// The main window: menus, tool bar, status bar and the four pages
// (channel table and three settings pages). It owns the window's image, its
// one state, and the file in use, the remembered radio type, the
// display-done flag and the allowed range table. The channel table shows
// and edits the image itself; the settings pages are a working copy that is
// committed into the image (SetBuf) and refreshed from it (ShowBuf).

#include "image/codecs.h"
#include "image/image.h"
#include "image/mode.h"
#include "ui/grid/channel_table.h"
#include "ui/main/channel_editing.h"
#include "ui/main/settings_pages.h"
#include "ui/model/app_windows.h"
#include "ui/model/channel_model.h"
#include "ui/model/command_host.h"
#include "ui/model/image_history.h"
#include "ui/model/window_image.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QShortcut;
class QTabWidget;
class QToolBar;
class QToolButton;

namespace ksv {

class ClickLabel;
struct PortChoice;
struct PortMapping;

class MainWindow : public QMainWindow, // TForm1
                   public CommandHost,
                   public ChannelTableContext,
                   public EditedWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 632;
    static constexpr int kClientHeight = 434;

    explicit MainWindow(OperatingMode mode, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- CommandHost ----
    const Image& currentImage() const override { return windowImage_.image(); }
    OperatingMode operatingMode() const override { return mode_; }
    bool showImage(const Image& image) override;
    // Commits the edits of the settings pages into the image (SetBuf): every
    // list, check box and spin edit, in the order that keeps the messages
    // and normalisations as they always were, the channel records'
    // normalisation, the stored bit and the checksum.
    void commitEdits() override;
    int rememberedRadioType() const override { return rememberedType_; }
    std::optional<int> chooseRadioTypeForNew() override;
    // The file in use is shown in the status bar as "Файл: <path>".
    QString fileInUse() const override { return fileInUse_; }
    void setFileInUse(const QString& path) override;
    QWidget* hostWindow() override { return this; }
    // The window's image, its undo history and the program's other windows.
    WindowImage& windowImage() override { return windowImage_; }
    ImageHistory& history() override { return history_; }
    AppWindows& windows() override { return windows_; }
    Image imageAsShown() override;
    bool numberChangeAllowed() override;
    void addRangeNote(const QString& note) override;
    void showKeptRead(const KeepResult& kept) override;

    // The table model over the image and the commands of «Правка».
    ChannelModel& channels() override { return channels_; }
    ChannelEditing& editing() { return *editing_; }

    // Refreshes every control from the image (ShowBuf); also the range text,
    // the allowed ranges and the pages and tool bars that depend on the
    // radio type. Always true.
    bool refreshFromImage() override;

    bool displayDone() const { return displayDone_; }
    const RangeTable& ranges() const { return ranges_; }

    // ---- ChannelTableContext ----
    const RangeTable& allowedRanges() const override { return ranges_; }
    int groupFirst(int group) const override;
    int groupLast(int group) const override;
    bool priorityScanning() const override;
    int priorityChannel() const override;
    void requestClose() override;

    // ---- Start-up ----
    // The start-up sequence runs once, queued after the window is first
    // shown, unless switched off here (tests drive it themselves).
    void setRunStartUpOnShow(bool run) { runStartUpOnShow_ = run; }
    // The whole sequence: type dialog in its start-up form, then the rest.
    void runStartUp();
    // The sequence after the type dialog, for the given type: default image,
    // show, store, show, port search, service-mode items.
    void startUpWithType(int type);
    // What ends the program after the exit question was answered Yes (or a
    // failed first display); by default the application quits.
    void setEndProgram(std::function<void()> endProgram);

    // ---- Ports ----
    // Effects of a port opened by search or selection: check marks on both
    // items of that port, "Порт: COM<n>" in panel 0, reading and writing
    // enabled. 0 (nothing opened) changes nothing.
    void applyPortResult(int portOrZero);
    int checkedPort() const { return checkedPort_; }
    // The device behind each COM name, as tooltip and status tip of the port
    // items and as tooltip of the "Порт:" panel (looked up afresh each time:
    // adapters come and go).
    void showPortDevices();
    // Items for the ports above COM4 (Windows), after COM4 in both port
    // menus; names holds COM1..COM4 first (extra_port_items.cpp).
    void showExtraPorts(const std::vector<PortMapping>& names);
    // The opened port's effects, or the message of a failed choice
    // (auto-detection or COM n).
    void applyPortChoice(const PortChoice& choice);

    // ---- Controls, for the commands and for tests ----
    SettingsControls& controls() override { return sc_; }
    ChannelGrid* grid() const override { return channelTable_; }
    QTabWidget* pages() const override { return pages_; }
    QString statusPanel(int index) const;
    QComboBox* scramblerBox() const { return sc_.list(SettingId::Scrambler); }
    QLabel* rangeLabel() const { return rangeLabel_; }
    bool toneTabShown() const;
    // No context menu over the tool bars: they cannot be hidden by the user.
    QMenu* createPopupMenu() override { return nullptr; }

public slots:
    void newFile();
    void openFile();
    void saveFile();
    void printCard();
    void readRadio();
    void writeRadio();
    void writeSeries();
    void showArchive();
    void compareWithRadio();
    void showHelp();
    void showAbout();
    void openRawEditor();     // N8Click: "Редактирование" (service mode)
    void editFactoryNumber(); // Label3Click (service mode)
    void exitProgram();
    void searchPort(); // N3Click: "Автоопределение" and the face of the port button
    void selectPort(int n); // COM11Click..COM41Click and the items above COM4

    // Settings page handlers.
    void groupChosen();           // ComboBox1Change: lists 1 to 4
    void scanTransmitChosen();    // ComboBox11Change
    void toneCountChosen();       // ComboBox14Change
    void standbyToggled();        // CheckBox1Click
    void toneSignallingToggled(); // CheckBox2Click
    void priorityScanToggled();   // CheckBox3Click

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Frame (main_window.cpp).
    void buildPages();
    void buildStatusBar();
    bool confirmExit();
    void quitHelp();

    // Menus, tool bar, shortcuts (main_window_actions.cpp).
    void buildActions();
    void connectActions();
    void buildMenus();
    void buildToolBars();
    void buildInfoToolBars();
    void buildShortcuts();
    void setReadWriteEnabled(bool on);
    QAction* makeAction(const char* name, const QString& text, const QString& hint);

    // Settings pages (settings_handlers.cpp).
    void connectSettingsHandlers();
    void installEnterHandling();
    // Stores the pages and shows the image again: one step of the history.
    void commitAndRefresh();
    void commitFrom(QWidget* control);
    void focusNextOnPage(QWidget* control);
    void setToneFieldShown(int tone, bool shown);
    void showToneCount(int count);

    // Steps of SetBuf and ShowBuf (image_transfer.cpp).
    void storeSettings(Image& image, bool quiet);
    bool showRadioType(const Image& image);
    void showToneSignalling(const Image& image);

    OperatingMode mode_;
    WindowImage windowImage_;
    ChannelModel channels_{windowImage_};
    ImageHistory history_{windowImage_};
    std::unique_ptr<ChannelEditing> editing_;
    QString fileInUse_;
    int rememberedType_ = rtVehicleVhf;
    bool displayDone_ = false;
    RangeTable ranges_;
    AppWindows windows_;

    bool runStartUpOnShow_ = true;
    bool startUpQueued_ = false;
    std::function<void()> endProgram_;
    int checkedPort_ = 0;
    QWidget* priorityScanEnterArmed_ = nullptr;

    // Pages.
    QTabWidget* pages_ = nullptr;         // PageControl1
    QWidget* channelPage_ = nullptr;      // TabSheet1
    QLabel* rangeLabel_ = nullptr;        // Label2
    ChannelGrid* channelTable_ = nullptr; // StringGrid1
    SettingsControls sc_;

    // Tool bars.
    QToolBar* commandBar_ = nullptr;           // ToolBar1: command buttons
    QToolBar* deviceBar_ = nullptr;            // ToolBar2: factory number and firmware version
    QToolBar* scramblerBar_ = nullptr;         // ToolBar5: the scrambler selector
    QToolButton* portButton_ = nullptr;        // COMPortButton
    ClickLabel* factoryNumberLabel_ = nullptr; // Label3
    QLabel* firmwareLabel_ = nullptr;          // Label1

    // Status bar panels.
    QLabel* portPanel_ = nullptr;
    QLabel* filePanel_ = nullptr;

    // Menu items; the tool buttons share them.
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* archiveAction_ = nullptr;    // "Архив радиостанций..."
    QMenu* editMenu_ = nullptr;           // «Правка», filled by ChannelEditing
    QMenu* portMenu_ = nullptr;           // COMPort
    QAction* portSearchItem_ = nullptr;   // N3
    std::array<QAction*, 4> portItems_{}; // COM12, COM22, COM32, COM42
    QAction* readAction_ = nullptr;
    QAction* writeAction_ = nullptr;
    QAction* writeSeriesAction_ = nullptr; // "Запись серии...", enabled with Write
    QAction* compareAction_ = nullptr; // "Сравнить с радиостанцией...", enabled with Write
    QAction* rawEditorSeparator_ = nullptr; // N6
    QAction* rawEditorItem_ = nullptr;      // N8
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* portButtonAction_ = nullptr;      // face of the port button
    QMenu* portPopup_ = nullptr;               // COMPortMenu
    QAction* popupSearchItem_ = nullptr;       // N1
    std::array<QAction*, 4> popupPortItems_{}; // COM11, COM21, COM31, COM41
    // Port number -> its main-menu and drop-down item, for ports above COM4.
    std::vector<std::pair<int, std::array<QAction*, 2>>> extraPortItems_;
    QShortcut* hiddenRawEditorShortcut_ = nullptr; // HotKey12 while the item is hidden
};

} // namespace ksv
