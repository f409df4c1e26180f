#include "ui/main/main_window.h"

#include "image/defaults.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/newtype_form.h"
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

TForm1::TForm1(OperatingMode mode, QWidget* parent) : QMainWindow(parent), mode_(mode) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Программа KSV717N v1.1"));
    setWindowFlags(windowFlags() | Qt::WindowContextHelpButtonHint);
    endProgram_ = [] { QCoreApplication::exit(0); };

    buildActions();
    buildMenus();
    buildToolBars();
    buildPages();
    buildStatusBar();
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

TForm1::~TForm1() = default;

void TForm1::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    Label2 = new QLabel(TabSheet1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFrameShape(QFrame::StyledPanel);
    Label2->setMargin(3);
    StringGrid1 = new ChannelGrid(*this, TabSheet1);
    auto* v = new QVBoxLayout(TabSheet1);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    v->addWidget(Label2);
    // The table keeps the width of its columns; the page shows beside it.
    v->addWidget(StringGrid1, 1, Qt::AlignLeft);

    buildSettingsPages(sc_);

    PageControl1->addTab(TabSheet1, QStringLiteral("Параметры каналов"));
    PageControl1->addTab(sc_.TabSheet2, QStringLiteral("Основные настройки"));
    PageControl1->addTab(sc_.TabSheet3, QStringLiteral("Сканирование"));
    PageControl1->addTab(sc_.TabSheet4, QStringLiteral("Тональные сигналы"));
    PageControl1->setCurrentIndex(0);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        // Showing the channel page gives the table the keyboard focus.
        if (index == 0)
            StringGrid1->setFocus(Qt::OtherFocusReason);
    });
    setCentralWidget(PageControl1);
    setFocusProxy(StringGrid1);
}

void TForm1::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    panel0_ = new QLabel(QStringLiteral("Порт:"), bar);
    panel0_->setObjectName(QStringLiteral("StatusPanel0"));
    panel0_->setFixedWidth(100);
    panel1_ = new QLabel(QStringLiteral("Файл: "), bar);
    panel1_->setObjectName(QStringLiteral("StatusPanel1"));
    panel1_->setMinimumWidth(50);
    bar->addWidget(panel0_);
    bar->addWidget(panel1_, 1);
    setStatusBar(bar);
}

QString TForm1::statusPanel(int index) const {
    return index == 0 ? panel0_->text() : panel1_->text();
}

void TForm1::setFileStatus(const QString& text) {
    panel1_->setText(text);
}

QString TForm1::fileStatus() const {
    return panel1_->text();
}

bool TForm1::toneTabShown() const {
    return PageControl1->isTabVisible(PageControl1->indexOf(sc_.TabSheet4));
}

// ---- Start-up ----------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (runStartUpOnShow_ && !startUpQueued_) {
        startUpQueued_ = true;
        QTimer::singleShot(0, this, &TForm1::FormShow);
    }
}

void TForm1::FormShow() {
    if (!windows_.newType)
        return;
    // Closing the start-up dialog without a choice has already asked the
    // application to end: nothing is loaded and no port is searched.
    if (!windows_.newType->AskStartType(rememberedType_))
        return;
    startUpWithType(rememberedType_);
}

void TForm1::startUpWithType(int type) {
    rememberedType_ = type;
    LoadDefault(rememberedType_, image_);
    if (!ShowBuf(image_)) {
        messenger().error(QStringLiteral("Ошибка #1. Программа будет закрыта."));
        if (endProgram_)
            endProgram_();
        return;
    }
    SetBuf(image_);
    ShowBuf(image_);
    N3Click();
    if (mode_ == omService) {
        N6->setVisible(true);
        N8->setVisible(true);
    }
    // The channel page is open at start and its table takes the keyboard;
    // otherwise the first control of the tool bar (the scrambler list) would
    // get it, and the arrow keys would change that setting unseen.
    if (PageControl1->currentWidget() == TabSheet1)
        StringGrid1->setFocus(Qt::OtherFocusReason);
}

void TForm1::setEndProgram(std::function<void()> endProgram) {
    endProgram_ = std::move(endProgram);
}

std::optional<int> TForm1::chooseRadioTypeForNew() {
    if (!windows_.newType || !windows_.newType->AskNewType(rememberedType_))
        return std::nullopt;
    return rememberedType_;
}

// ---- Closing -----------------------------------------------------------------------

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    // The program ends here, also while the raw editor is still open.
    if (endProgram_)
        endProgram_();
}

bool TForm1::FormCloseQuery() {
    // Only Yes ends the program; dismissing the question counts as No.
    return messenger().question(QStringLiteral("Выйти из программы?"));
}

void TForm1::FormClose() {
    commands::quitHelp(*this);
}

void TForm1::CloseItemClick() {
    close();
}

void TForm1::requestClose() {
    close();
}

// ---- What the channel table reads ----------------------------------------------------

RadioType TForm1::radioType() const {
    return RsType(image_);
}

int TForm1::groupFirst(int group) const {
    const QComboBox* box = group == 1 ? sc_.ComboBox1 : sc_.ComboBox3;
    return box->currentIndex() + 1;
}

int TForm1::groupLast(int group) const {
    const QComboBox* box = group == 1 ? sc_.ComboBox2 : sc_.ComboBox4;
    return box->currentIndex() + 1;
}

bool TForm1::priorityScanning() const {
    return sc_.CheckBox3->isChecked();
}

int TForm1::priorityChannel() const {
    return sc_.ComboBox5->currentIndex() + 1;
}

// ---- ImageHost -----------------------------------------------------------------------

void TForm1::SetBuf() {
    SetBuf(image_);
}

bool TForm1::ShowBuf() {
    return ShowBuf(image_);
}

} // namespace ksv
