#include "ui/main/main_window.h"

#include "files/shown_path.h"
#include "image/defaults.h"
#include "ui/archive/window_archive.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/radio_type_dialog.h"
#include "ui/main/channel_editing.h"
#include "ui/main/commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace ksv {

MainWindow::MainWindow(OperatingMode mode, QWidget* parent) : QMainWindow(parent), mode_(mode) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Программа KSV717N v1.1"));
    setWindowFlags(windowFlags() | Qt::WindowContextHelpButtonHint);
    endProgram_ = [] { QCoreApplication::exit(0); };

    buildActions();
    buildMenus();
    buildToolBars();
    buildPages();
    buildStatusBar();
    editing_ = std::make_unique<ChannelEditing>(*this, history_, editMenu_);
    history_.setNote([this] { return fileInUse(); },
                     [this](const QString& path) { setFileInUse(path); });
    buildShortcuts();
    connectSettingsHandlers();
    installEnterHandling();

    // Client area 632 x 434 below the menu bar, centred on the desktop.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // FormCreate.
    displayDone_ = true;
}

// The pages go first: the channel table is a view of this window's model;
// the commands that follow the table and its page go before them.
MainWindow::~MainWindow() {
    editing_.reset();
    delete pages_;
}

void MainWindow::buildPages() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));

    channelPage_ = new QWidget;
    channelPage_->setObjectName(QStringLiteral("channelPage"));
    rangeLabel_ = new QLabel(channelPage_);
    rangeLabel_->setObjectName(QStringLiteral("rangeLabel"));
    rangeLabel_->setFrameShape(QFrame::StyledPanel);
    rangeLabel_->setMargin(3);
    channelTable_ = new ChannelGrid(*this, channels_, channelPage_);
    auto* v = new QVBoxLayout(channelPage_);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    v->addWidget(rangeLabel_);
    // The table keeps the width of its columns; the page shows beside it.
    v->addWidget(channelTable_, 1, Qt::AlignLeft);

    buildSettingsPages(sc_);

    pages_->addTab(channelPage_, QStringLiteral("Параметры каналов"));
    pages_->addTab(sc_.mainPage, QStringLiteral("Основные настройки"));
    pages_->addTab(sc_.scanPage, QStringLiteral("Сканирование"));
    pages_->addTab(sc_.tonePage, QStringLiteral("Тональные сигналы"));
    pages_->setCurrentIndex(0);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        // Showing the channel page gives the table the keyboard focus.
        if (index == 0)
            channelTable_->setFocus(Qt::OtherFocusReason);
    });
    setCentralWidget(pages_);
    setFocusProxy(channelTable_);
}

void MainWindow::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(false);
    portPanel_ = new QLabel(QStringLiteral("Порт:"), bar);
    portPanel_->setObjectName(QStringLiteral("portPanel"));
    portPanel_->setFixedWidth(100);
    filePanel_ = new QLabel(QStringLiteral("Файл: "), bar);
    filePanel_->setObjectName(QStringLiteral("filePanel"));
    filePanel_->setMinimumWidth(50);
    bar->addWidget(portPanel_);
    bar->addWidget(filePanel_, 1);
    setStatusBar(bar);
}

QString MainWindow::statusPanel(int index) const {
    return index == 0 ? portPanel_->text() : filePanel_->text();
}

void MainWindow::setFileInUse(const QString& path) {
    fileInUse_ = path;
    filePanel_->setText(QStringLiteral("Файл: ") + shownPath(path));
}

void MainWindow::addRangeNote(const QString& note) {
    rangeLabel_->setText(rangeLabel_->text() + note);
}

void MainWindow::showKeptRead(const KeepResult& kept) {
    ksv::showKeptRead(*this, windowArchive(), kept);
}

bool MainWindow::toneTabShown() const {
    return pages_->isTabVisible(pages_->indexOf(sc_.tonePage));
}

// ---- Start-up ----------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (runStartUpOnShow_ && !startUpQueued_) {
        startUpQueued_ = true;
        QTimer::singleShot(0, this, &MainWindow::runStartUp);
    }
}

void MainWindow::runStartUp() {
    if (!windows_.radioTypeDialog)
        return;
    // Closing the start-up dialog without a choice has already asked the
    // application to end: nothing is loaded and no port is searched.
    if (!windows_.radioTypeDialog->askStartType(rememberedType_))
        return;
    startUpWithType(rememberedType_);
}

void MainWindow::startUpWithType(int type) {
    rememberedType_ = type;
    Image im = currentImage();
    LoadDefault(rememberedType_, im);
    if (!showImage(im)) {
        messenger().error(QStringLiteral("Ошибка #1. Программа будет закрыта."));
        if (endProgram_)
            endProgram_();
        return;
    }
    commitEdits();
    refreshFromImage();
    searchPort();
    if (mode_ == omService) {
        rawEditorSeparator_->setVisible(true);
        rawEditorItem_->setVisible(true);
    }
    history_.clear(); // the start-up image is where undo ends
    // The channel page is open at start and its table takes the keyboard;
    // otherwise the first control of the tool bar (the scrambler list) would
    // get it, and the arrow keys would change that setting unseen.
    if (pages_->currentWidget() == channelPage_)
        channelTable_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setEndProgram(std::function<void()> endProgram) {
    endProgram_ = std::move(endProgram);
}

std::optional<int> MainWindow::chooseRadioTypeForNew() {
    if (!windows_.radioTypeDialog || !windows_.radioTypeDialog->askNewType(rememberedType_))
        return std::nullopt;
    return rememberedType_;
}

// ---- Closing -----------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    quitHelp();
    event->accept();
    // The program ends here, also while the raw editor is still open.
    if (endProgram_)
        endProgram_();
}

bool MainWindow::confirmExit() {
    // Only Yes ends the program; dismissing the question counts as No.
    return messenger().question(QStringLiteral("Выйти из программы?"));
}

void MainWindow::quitHelp() {
    commands::quitHelp(*this);
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::requestClose() {
    close();
}

// ---- What the channel table reads ----------------------------------------------------

int MainWindow::groupFirst(int group) const {
    const SettingId id = group == 1 ? SettingId::Group1First : SettingId::Group2First;
    return sc_.list(id)->currentIndex() + 1;
}

int MainWindow::groupLast(int group) const {
    const SettingId id = group == 1 ? SettingId::Group1Last : SettingId::Group2Last;
    return sc_.list(id)->currentIndex() + 1;
}

bool MainWindow::priorityScanning() const {
    return sc_.priorityScan->isChecked();
}

int MainWindow::priorityChannel() const {
    return sc_.list(SettingId::PriorityChannel)->currentIndex() + 1;
}

} // namespace ksv
