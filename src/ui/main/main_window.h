#pragma once

// The main window: menus, tool bar, status bar and the four pages (channel
// table and three settings pages). It owns the current settings image and
// the incoming buffer, the remembered radio type, the display-done flag and
// the allowed range table, and moves the whole window to and from the image
// (SetBuf, ShowBuf).

#include "image/codecs.h"
#include "image/image.h"
#include "image/mode.h"
#include "ui/grid/channel_table.h"
#include "ui/main/app_windows.h"
#include "ui/main/image_host.h"
#include "ui/main/settings_pages.h"

#include <QMainWindow>
#include <array>
#include <functional>
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
struct PortMapping;

class TForm1 : public QMainWindow, public ImageHost, public ChannelTableContext {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 632;
    static constexpr int kClientHeight = 434;

    explicit TForm1(OperatingMode mode, QWidget* parent = nullptr);
    ~TForm1() override;

    AppWindows& windows() { return windows_; }

    // ---- ImageHost ----
    Image& currentImage() override { return image_; }
    Image& incomingImage() override { return incoming_; }
    OperatingMode operatingMode() const override { return mode_; }
    void SetBuf() override;
    bool ShowBuf() override;
    int rememberedRadioType() const override { return rememberedType_; }
    std::optional<int> chooseRadioTypeForNew() override;
    void setFileStatus(const QString& text) override;
    QString fileStatus() const override;
    QWidget* hostWindow() override { return this; }

    // Window into image (every control, then the checksum); always true.
    bool SetBuf(Image& image);
    // Image into window; also the range text, the allowed ranges and the
    // pages and tool bars that depend on the radio type. Always true.
    bool ShowBuf(const Image& image);

    bool displayDone() const { return displayDone_; }
    const RangeTable& ranges() const { return ranges_; }

    // ---- ChannelTableContext ----
    RadioType radioType() const override;
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
    void FormShow();
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
    // Service mode with "изменить номер" ticked: the factory number bytes
    // may be written into the transceiver.
    bool numberChangeAllowed();

    // ---- Controls, for the commands and for tests ----
    SettingsControls& controls() { return sc_; }
    ChannelGrid* grid() const { return StringGrid1; }
    QTabWidget* pages() const { return PageControl1; }
    QString statusPanel(int index) const;
    QComboBox* scramblerBox() const { return ComboBox9; }
    QLabel* rangeLabel() const { return Label2; }
    bool toneTabShown() const;
    // No context menu over the tool bars: they cannot be hidden by the user.
    QMenu* createPopupMenu() override { return nullptr; }

public slots:
    void NewClick();
    void OpenClick();
    void SaveClick();
    void PrintClick();
    void ReadClick();
    void WriteClick();
    void WriteSeriesClick();
    void HelpClick();
    void AboutClick();
    void N8Click();
    void Label3Click();
    void CloseItemClick();
    void N3Click(); // port search: N3, N1 and the face of COMPortButton
    void COM11Click();
    void COM21Click();
    void COM31Click();
    void COM41Click();

    // Settings page handlers.
    void ComboBox1Change();
    void ComboBox11Change();
    void ComboBox14Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Frame (main_window.cpp).
    void buildPages();
    void buildStatusBar();
    bool FormCloseQuery();
    void FormClose();

    // Menus, tool bar, shortcuts (main_window_actions.cpp).
    void buildActions();
    void connectActions();
    void buildMenus();
    void buildToolBars();
    void buildInfoToolBars();
    void buildShortcuts();
    void selectPortClick(int n);
    void setReadWriteEnabled(bool on);
    QAction* makeAction(const char* name, const QString& text, const QString& hint);

    // Settings pages (settings_handlers.cpp).
    void connectSettingsHandlers();
    void installEnterHandling();
    void commitFrom(QWidget* control);
    void focusNextOnPage(QWidget* control);
    void setToneFieldShown(int tone, bool shown);
    void showToneCount(int count);

    // Steps of SetBuf and ShowBuf (image_transfer.cpp).
    void storeChannelTable(Image& image);
    bool showRadioType(const Image& image);
    void showChannelTable(const Image& image);
    void showToneSignalling(const Image& image);

    OperatingMode mode_;
    Image image_;
    Image incoming_;
    int rememberedType_ = rtVehicleVhf;
    bool displayDone_ = false;
    RangeTable ranges_;
    AppWindows windows_;

    bool runStartUpOnShow_ = true;
    bool startUpQueued_ = false;
    std::function<void()> endProgram_;
    int checkedPort_ = 0;
    QWidget* checkBox3EnterArmed_ = nullptr;

    // Pages.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QLabel* Label2 = nullptr;
    ChannelGrid* StringGrid1 = nullptr;
    SettingsControls sc_;

    // Tool bars.
    QToolBar* ToolBar1 = nullptr; // command buttons
    QToolBar* ToolBar2 = nullptr; // factory number and firmware version
    QToolBar* ToolBar5 = nullptr; // scrambler selector
    QToolButton* COMPortButton = nullptr;
    ClickLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* ComboBox9 = nullptr;

    // Status bar panels.
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;

    // Menu items; the tool buttons share them.
    QAction* New = nullptr;
    QAction* Open = nullptr;
    QAction* Save = nullptr;
    QAction* Print = nullptr;
    QAction* CloseItem = nullptr;
    QMenu* COMPort = nullptr;
    QAction* N3 = nullptr;
    std::array<QAction*, 4> mainPortItems{}; // COM12, COM22, COM32, COM42
    QAction* Read = nullptr;
    QAction* Write = nullptr;
    QAction* WriteSeries = nullptr; // "Запись серии...", enabled with Write
    QAction* N6 = nullptr;
    QAction* N8 = nullptr;
    QAction* Help = nullptr;
    QAction* About = nullptr;
    QAction* portButtonAction_ = nullptr; // face of COMPortButton
    QMenu* COMPortMenu = nullptr;
    QAction* N1 = nullptr;
    std::array<QAction*, 4> popupPortItems{}; // COM11, COM21, COM31, COM41
    // Port number -> its main-menu and drop-down item, for ports above COM4.
    std::vector<std::pair<int, std::array<QAction*, 2>>> extraPortItems_;
    QShortcut* hiddenN8Shortcut_ = nullptr;
};

} // namespace ksv
