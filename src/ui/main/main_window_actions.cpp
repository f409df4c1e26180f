// Menus, tool bars, keyboard shortcuts and the command handlers of the main
// window. Each handler checks what the window decides (enabled item, mode)
// and hands the work to one function of commands.cpp.

#include "image/settings.h"
#include "link/write_list.h"
#include "serial/port_map.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/sn_form.h"
#include "ui/main/click_label.h"
#include "ui/main/command_icons.h"
#include "ui/main/commands.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace ksv {

namespace {

QToolBar* fixedToolBar(QMainWindow* owner, const char* name) {
    auto* bar = new QToolBar(owner);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    return bar;
}

} // namespace

QAction* TForm1::makeAction(const char* name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        action->setToolTip(hint);
    return action;
}

void TForm1::buildActions() {
    New = makeAction("New", QStringLiteral("&Новый"), QStringLiteral("Создать новый файл"));
    Open = makeAction("Open", QStringLiteral("&Открыть"), QStringLiteral("Открыть файл"));
    Save = makeAction("Save", QStringLiteral("&Сохранить"), QStringLiteral("Сохранить файл"));
    Print = makeAction("Print", QStringLiteral("&Печать"), QStringLiteral("Печать данных"));
    CloseItem = makeAction("CloseItem", QStringLiteral("&Выход"), {});
    N3 = makeAction("N3", QStringLiteral("&Автоопределение"), {});
    N1 = makeAction("N1", QStringLiteral("&Автоопределение"), {});
    const char* mainNames[] = {"COM12", "COM22", "COM32", "COM42"};
    const char* popupNames[] = {"COM11", "COM21", "COM31", "COM41"};
    for (int i = 0; i < 4; ++i) {
        const QString text = QStringLiteral("COM&%1").arg(i + 1);
        mainPortItems[i] = makeAction(mainNames[i], text, {});
        popupPortItems[i] = makeAction(popupNames[i], text, {});
        mainPortItems[i]->setCheckable(true);
        popupPortItems[i]->setCheckable(true);
    }
    Read = makeAction("Read", QStringLiteral("&Чтение"), QStringLiteral("Чтение данных"));
    Write = makeAction("Write", QStringLiteral("&Запись"), QStringLiteral("Программирование"));
    WriteSeries = makeAction("WriteSeries", QStringLiteral("Запись &серии..."),
                             QStringLiteral("Запись одних установок в несколько радиостанций"));
    WriteSeries->setStatusTip(WriteSeries->toolTip());
    Read->setEnabled(false);
    Write->setEnabled(false);
    WriteSeries->setEnabled(false);
    N6 = new QAction(this);
    N6->setObjectName(QStringLiteral("N6"));
    N6->setSeparator(true);
    N6->setVisible(false);
    N8 = makeAction("N8", QStringLiteral("&Редактирование"), {});
    N8->setVisible(false);
    Help = makeAction("Help", QStringLiteral("Вызов &справки"), QStringLiteral("Вызов справки"));
    About = makeAction("About", QStringLiteral("&О программе..."), {});
    portButtonAction_ =
        makeAction("COMPortAction", QStringLiteral("COM &порт"), QStringLiteral("Выбор COM порта"));

    New->setIcon(commandIcon(CommandIcon::New));
    Open->setIcon(commandIcon(CommandIcon::Open));
    Save->setIcon(commandIcon(CommandIcon::Save));
    Print->setIcon(commandIcon(CommandIcon::Print));
    portButtonAction_->setIcon(commandIcon(CommandIcon::ComPort));
    Read->setIcon(commandIcon(CommandIcon::Read));
    Write->setIcon(commandIcon(CommandIcon::Write));
    Help->setIcon(commandIcon(CommandIcon::Help));
    CloseItem->setIcon(commandIcon(CommandIcon::Exit));
    connectActions();
}

void TForm1::connectActions() {
    connect(New, &QAction::triggered, this, &TForm1::NewClick);
    connect(Open, &QAction::triggered, this, &TForm1::OpenClick);
    connect(Save, &QAction::triggered, this, &TForm1::SaveClick);
    connect(Print, &QAction::triggered, this, &TForm1::PrintClick);
    connect(CloseItem, &QAction::triggered, this, &TForm1::CloseItemClick);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(N1, &QAction::triggered, this, &TForm1::N3Click);
    connect(portButtonAction_, &QAction::triggered, this, &TForm1::N3Click);
    void (TForm1::*portSlots[])() = {&TForm1::COM11Click, &TForm1::COM21Click, &TForm1::COM31Click,
                                     &TForm1::COM41Click};
    for (int i = 0; i < 4; ++i) {
        connect(mainPortItems[i], &QAction::triggered, this, portSlots[i]);
        connect(popupPortItems[i], &QAction::triggered, this, portSlots[i]);
    }
    connect(Read, &QAction::triggered, this, &TForm1::ReadClick);
    connect(Write, &QAction::triggered, this, &TForm1::WriteClick);
    connect(WriteSeries, &QAction::triggered, this, &TForm1::WriteSeriesClick);
    connect(N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(Help, &QAction::triggered, this, &TForm1::HelpClick);
    connect(About, &QAction::triggered, this, &TForm1::AboutClick);
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(New);
    file->addAction(Open);
    file->addAction(Save);
    file->addSeparator();
    file->addAction(Print);
    file->addSeparator();
    file->addAction(CloseItem);

    QMenu* settings = bar->addMenu(QStringLiteral("&Настройки"));
    COMPort = settings->addMenu(commandIcon(CommandIcon::ComPort), QStringLiteral("COM &порт"));
    COMPort->setObjectName(QStringLiteral("COMPort"));
    COMPort->menuAction()->setObjectName(QStringLiteral("COMPortItem"));
    COMPort->menuAction()->setToolTip(QStringLiteral("Выбор COM порта"));
    COMPort->addAction(N3);
    COMPort->addSeparator();
    for (QAction* a : mainPortItems)
        COMPort->addAction(a);
    settings->addSeparator();
    settings->addAction(Read);
    settings->addAction(Write);
    settings->addAction(WriteSeries);
    settings->addAction(N6);
    settings->addAction(N8);

    QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
    help->addAction(Help);
    help->addSeparator();
    help->addAction(About);

    for (QMenu* m : {file, settings, COMPort, help})
        m->setToolTipsVisible(true);

    COMPortMenu = new QMenu(this);
    COMPortMenu->setObjectName(QStringLiteral("COMPortMenu"));
    COMPortMenu->addAction(N1);
    COMPortMenu->addSeparator();
    for (QAction* a : popupPortItems)
        COMPortMenu->addAction(a);
    COMPortMenu->setToolTipsVisible(true);
    connect(COMPort, &QMenu::aboutToShow, this, &TForm1::showPortDevices);
    connect(COMPortMenu, &QMenu::aboutToShow, this, &TForm1::showPortDevices);
}

void TForm1::buildToolBars() {
    ToolBar1 = fixedToolBar(this, "ToolBar1");
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(22, 22));
    // All nine captions must fit the window's width: a slightly smaller font
    // and tighter buttons than the style's default.
    QFont small = ToolBar1->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    ToolBar1->setFont(small);
    ToolBar1->layout()->setContentsMargins(2, 2, 2, 2);
    ToolBar1->layout()->setSpacing(0);
    const auto addButton = [this](QAction* action, const char* name) {
        ToolBar1->addAction(action);
        ToolBar1->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
    };
    addButton(New, "NewButton");
    addButton(Open, "OpenButton");
    addButton(Save, "SaveButton");
    ToolBar1->addSeparator();
    addButton(Print, "PrintButton");
    ToolBar1->addSeparator();

    COMPortButton = new QToolButton(ToolBar1);
    COMPortButton->setObjectName(QStringLiteral("COMPortButton"));
    COMPortButton->setDefaultAction(portButtonAction_);
    COMPortButton->setMenu(COMPortMenu);
    COMPortButton->setPopupMode(QToolButton::MenuButtonPopup);
    COMPortButton->setToolButtonStyle(ToolBar1->toolButtonStyle());
    COMPortButton->setIconSize(ToolBar1->iconSize());
    ToolBar1->addWidget(COMPortButton);
    ToolBar1->addSeparator();

    addButton(Read, "ReadButton");
    addButton(Write, "WriteButton");
    ToolBar1->addSeparator();
    addButton(Help, "HelpButton");
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    addToolBarBreak(Qt::TopToolBarArea);
    buildInfoToolBars();
}

// The factory number, the firmware version and the scrambler type.
void TForm1::buildInfoToolBars() {
    ToolBar2 = fixedToolBar(this, "ToolBar2");
    Label3 = new ClickLabel(QStringLiteral("Зав. №: 000000 "), ToolBar2);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("Заводской номер приемопередатчика"));
    Label1 = new QLabel(QStringLiteral("Версия ПО: 0.0"), ToolBar2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setToolTip(QStringLiteral("Версия ПО контроллера приемепередатчика"));
    for (QLabel* l : {static_cast<QLabel*>(Label3), Label1})
        l->setContentsMargins(6, 0, 10, 0);
    ToolBar2->addWidget(Label3);
    ToolBar2->addSeparator();
    ToolBar2->addWidget(Label1);
    addToolBar(Qt::TopToolBarArea, ToolBar2);
    connect(Label3, &ClickLabel::clicked, this, &TForm1::Label3Click);

    ToolBar5 = fixedToolBar(this, "ToolBar5");
    Label4 = new QLabel(QStringLiteral("УПР: "), ToolBar5);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setToolTip(QStringLiteral("Тип устройства преобразования речи"));
    Label4->setContentsMargins(6, 0, 0, 0);
    ComboBox9 = new QComboBox(ToolBar5);
    ComboBox9->setObjectName(QStringLiteral("ComboBox9"));
    // Until an image is shown, the list holds the items of the UHF vehicle set.
    for (const std::string& item : setting(SettingId::Scrambler).texts(rtVehicleUhf))
        ComboBox9->addItem(QString::fromStdString(item));
    ComboBox9->setCurrentIndex(0);
    ComboBox9->setFocusPolicy(Qt::StrongFocus);
    ComboBox9->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Label4->setBuddy(ComboBox9);
    ToolBar5->addWidget(Label4);
    ToolBar5->addWidget(ComboBox9);
    addToolBar(Qt::TopToolBarArea, ToolBar5);
}

void TForm1::buildShortcuts() {
    Help->setShortcut(QKeySequence(Qt::Key_F1));
    Read->setShortcut(QKeySequence(Qt::Key_F4));
    Write->setShortcut(QKeySequence(Qt::Key_F5));
    WriteSeries->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (int i = 0; i < 4; ++i)
        mainPortItems[i]->setShortcut(
            QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key(Qt::Key_F1 + i))));
    N8->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));

    // A hidden menu item takes no shortcuts; while "Редактирование" is hidden
    // its shortcut is served by this one (the handler itself checks the mode).
    hiddenN8Shortcut_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F1), this);
    hiddenN8Shortcut_->setObjectName(QStringLiteral("HotKey12"));
    hiddenN8Shortcut_->setContext(Qt::WindowShortcut);
    connect(hiddenN8Shortcut_, &QShortcut::activated, this, &TForm1::N8Click);
    connect(N8, &QAction::changed, this,
            [this] { hiddenN8Shortcut_->setEnabled(!N8->isVisible()); });
}

// ---- Commands ------------------------------------------------------------------------

void TForm1::NewClick() {
    commands::newFile(*this);
}

void TForm1::OpenClick() {
    commands::openFile(*this);
}

void TForm1::SaveClick() {
    commands::saveFile(*this);
}

void TForm1::PrintClick() {
    commands::print(*this);
}

void TForm1::ReadClick() {
    if (Read->isEnabled())
        commands::readRadio(*this);
}

void TForm1::WriteClick() {
    if (Write->isEnabled())
        commands::writeRadio(*this);
}

void TForm1::WriteSeriesClick() {
    if (WriteSeries->isEnabled())
        commands::writeSeries(*this);
}

void TForm1::HelpClick() {
    commands::help(*this);
}

void TForm1::AboutClick() {
    commands::about(*this);
}

void TForm1::N8Click() {
    if (mode_ == omService)
        commands::rawEditor(*this);
}

void TForm1::Label3Click() {
    if (mode_ == omService)
        commands::factoryNumber(*this);
}

// ---- Ports ---------------------------------------------------------------------------

void TForm1::N3Click() {
    const int port = commands::findPort(*this);
    if (port == 0) {
        messenger().error(QStringLiteral("Свободный COM порт не найден"));
        applyPortResult(0);
        return;
    }
    applyPortResult(port);
}

void TForm1::COM11Click() {
    selectPortClick(1);
}

void TForm1::COM21Click() {
    selectPortClick(2);
}

void TForm1::COM31Click() {
    selectPortClick(3);
}

void TForm1::COM41Click() {
    selectPortClick(4);
}

void TForm1::selectPortClick(int n) {
    if (!commands::selectPort(*this, n)) {
        messenger().error(QStringLiteral("Порт COM%1 не доступен").arg(n));
        applyPortResult(0);
        return;
    }
    applyPortResult(n);
}

void TForm1::applyPortResult(int portOrZero) {
    if (portOrZero >= 1) {
        checkedPort_ = portOrZero;
        panel0_->setText(QStringLiteral("Порт: COM%1").arg(portOrZero));
        setReadWriteEnabled(true);
    }
    // Triggering a checkable item toggles its mark; the marks always show
    // the port last opened, whatever was clicked.
    for (int i = 0; i < 4; ++i) {
        mainPortItems[i]->setChecked(checkedPort_ == i + 1);
        popupPortItems[i]->setChecked(checkedPort_ == i + 1);
    }
    showPortDevices();
}

void TForm1::showPortDevices() {
    const auto map = systemPortMap().offered();
    for (int i = 0; i < 4; ++i) {
        const QString tip = QString::fromStdString(portTipText(map[static_cast<std::size_t>(i)]));
        for (QAction* item : {mainPortItems[i], popupPortItems[i]}) {
            item->setToolTip(tip);
            item->setStatusTip(tip);
        }
    }
    showExtraPorts(map);
    for (const PortMapping& m : map)
        if (m.com == checkedPort_)
            panel0_->setToolTip(QString::fromStdString(portTipText(m)));
}

void TForm1::setReadWriteEnabled(bool on) {
    Read->setEnabled(on);
    Write->setEnabled(on);
    WriteSeries->setEnabled(on);
}

bool TForm1::numberChangeAllowed() {
    return ksv::numberChangeAllowed(mode_,
                                    windows_.snForm && windows_.snForm->numberChangeAllowed());
}

} // namespace ksv
