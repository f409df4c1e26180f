// Menus, tool bars, keyboard shortcuts and the command handlers of the main
// window. Each handler checks what the window decides (enabled item, mode)
// and hands the work to one function of commands.cpp.

#include "image/settings.h"
#include "link/port_line.h"
#include "link/port_selection.h"
#include "serial/port_map.h"
#include "ui/archive/archive_commands.h"
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
    portSearchItem_ = makeAction("N3", QStringLiteral("&Автоопределение"), {});
    popupSearchItem_ = makeAction("N1", QStringLiteral("&Автоопределение"), {});
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
    archiveItem_ = makeAction("ArchiveItem", QStringLiteral("&Архив радиостанций..."),
                              QStringLiteral("Все считанные состояния радиостанций"));
    compareItem_ = makeAction("CompareItem", QStringLiteral("Сра&внить с радиостанцией..."),
                              QStringLiteral("Что изменит запись в радиостанции"));
    for (QAction* a : {archiveItem_, compareItem_})
        a->setStatusTip(a->toolTip());
    Read->setEnabled(false);
    Write->setEnabled(false);
    WriteSeries->setEnabled(false);
    compareItem_->setEnabled(false);
    rawEditorSeparator_ = new QAction(this);
    rawEditorSeparator_->setObjectName(QStringLiteral("N6"));
    rawEditorSeparator_->setSeparator(true);
    rawEditorSeparator_->setVisible(false);
    rawEditorItem_ = makeAction("N8", QStringLiteral("&Редактирование"), {});
    rawEditorItem_->setVisible(false);
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
    for (QAction* search : {portSearchItem_, popupSearchItem_, portButtonAction_})
        connect(search, &QAction::triggered, this, &TForm1::searchPortClick);
    for (int i = 0; i < 4; ++i) {
        for (QAction* item : {mainPortItems[i], popupPortItems[i]})
            connect(item, &QAction::triggered, this, [this, i] { choosePortClick(i + 1); });
    }
    connect(Read, &QAction::triggered, this, &TForm1::ReadClick);
    connect(Write, &QAction::triggered, this, &TForm1::WriteClick);
    connect(WriteSeries, &QAction::triggered, this, &TForm1::WriteSeriesClick);
    connect(archiveItem_, &QAction::triggered, this, &TForm1::ArchiveClick);
    connect(compareItem_, &QAction::triggered, this, &TForm1::CompareClick);
    connect(rawEditorItem_, &QAction::triggered, this, &TForm1::rawEditorClick);
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
    file->addAction(archiveItem_);
    file->addSeparator();
    file->addAction(Print);
    file->addSeparator();
    file->addAction(CloseItem);

    editMenu_ = bar->addMenu(QStringLiteral("Пр&авка"));
    editMenu_->setObjectName(QStringLiteral("EditMenu"));

    QMenu* settings = bar->addMenu(QStringLiteral("&Настройки"));
    portMenu_ = settings->addMenu(commandIcon(CommandIcon::ComPort), QStringLiteral("COM &порт"));
    portMenu_->setObjectName(QStringLiteral("COMPort"));
    portMenu_->menuAction()->setObjectName(QStringLiteral("COMPortItem"));
    portMenu_->menuAction()->setToolTip(QStringLiteral("Выбор COM порта"));
    portMenu_->addAction(portSearchItem_);
    portMenu_->addSeparator();
    for (QAction* a : mainPortItems)
        portMenu_->addAction(a);
    settings->addSeparator();
    settings->addAction(Read);
    settings->addAction(Write);
    settings->addAction(compareItem_);
    settings->addAction(WriteSeries);
    settings->addAction(rawEditorSeparator_);
    settings->addAction(rawEditorItem_);

    QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
    help->addAction(Help);
    help->addSeparator();
    help->addAction(About);

    for (QMenu* m : {file, settings, portMenu_, help})
        m->setToolTipsVisible(true);

    portPopup_ = new QMenu(this);
    portPopup_->setObjectName(QStringLiteral("COMPortMenu"));
    portPopup_->addAction(popupSearchItem_);
    portPopup_->addSeparator();
    for (QAction* a : popupPortItems)
        portPopup_->addAction(a);
    portPopup_->setToolTipsVisible(true);
    connect(portMenu_, &QMenu::aboutToShow, this, &TForm1::showPortDevices);
    connect(portPopup_, &QMenu::aboutToShow, this, &TForm1::showPortDevices);
}

void TForm1::buildToolBars() {
    commandBar_ = fixedToolBar(this, "ToolBar1");
    commandBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    commandBar_->setIconSize(QSize(22, 22));
    // All nine captions must fit the window's width: a slightly smaller font
    // and tighter buttons than the style's default.
    QFont small = commandBar_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    commandBar_->setFont(small);
    commandBar_->layout()->setContentsMargins(2, 2, 2, 2);
    commandBar_->layout()->setSpacing(0);
    const auto addButton = [this](QAction* action, const char* name) {
        commandBar_->addAction(action);
        commandBar_->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
    };
    addButton(New, "NewButton");
    addButton(Open, "OpenButton");
    addButton(Save, "SaveButton");
    commandBar_->addSeparator();
    addButton(Print, "PrintButton");
    commandBar_->addSeparator();

    portButton_ = new QToolButton(commandBar_);
    portButton_->setObjectName(QStringLiteral("COMPortButton"));
    portButton_->setDefaultAction(portButtonAction_);
    portButton_->setMenu(portPopup_);
    portButton_->setPopupMode(QToolButton::MenuButtonPopup);
    portButton_->setToolButtonStyle(commandBar_->toolButtonStyle());
    portButton_->setIconSize(commandBar_->iconSize());
    commandBar_->addWidget(portButton_);
    commandBar_->addSeparator();

    addButton(Read, "ReadButton");
    addButton(Write, "WriteButton");
    commandBar_->addSeparator();
    addButton(Help, "HelpButton");
    addToolBar(Qt::TopToolBarArea, commandBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    buildInfoToolBars();
}

// The factory number, the firmware version and the scrambler type.
void TForm1::buildInfoToolBars() {
    deviceBar_ = fixedToolBar(this, "ToolBar2");
    factoryNumberLabel_ = new ClickLabel(QStringLiteral("Зав. №: 000000 "), deviceBar_);
    factoryNumberLabel_->setObjectName(QStringLiteral("Label3"));
    factoryNumberLabel_->setToolTip(QStringLiteral("Заводской номер приемопередатчика"));
    firmwareLabel_ = new QLabel(QStringLiteral("Версия ПО: 0.0"), deviceBar_);
    firmwareLabel_->setObjectName(QStringLiteral("Label1"));
    firmwareLabel_->setToolTip(QStringLiteral("Версия ПО контроллера приемепередатчика"));
    for (QLabel* l : {static_cast<QLabel*>(factoryNumberLabel_), firmwareLabel_})
        l->setContentsMargins(6, 0, 10, 0);
    deviceBar_->addWidget(factoryNumberLabel_);
    deviceBar_->addSeparator();
    deviceBar_->addWidget(firmwareLabel_);
    addToolBar(Qt::TopToolBarArea, deviceBar_);
    connect(factoryNumberLabel_, &ClickLabel::clicked, this, &TForm1::factoryNumberClick);

    scramblerBar_ = fixedToolBar(this, "ToolBar5");
    auto* caption = new QLabel(QStringLiteral("УПР: "), scramblerBar_);
    caption->setObjectName(QStringLiteral("Label4"));
    caption->setToolTip(QStringLiteral("Тип устройства преобразования речи"));
    caption->setContentsMargins(6, 0, 0, 0);
    // Until an image is shown, the list holds the items of the UHF vehicle set.
    QComboBox* scrambler = sc_.makeList(SettingId::Scrambler, rtVehicleUhf);
    scrambler->setParent(scramblerBar_);
    scrambler->setMaxVisibleItems(10);
    caption->setBuddy(scrambler);
    scramblerBar_->addWidget(caption);
    scramblerBar_->addWidget(scrambler);
    addToolBar(Qt::TopToolBarArea, scramblerBar_);
}

void TForm1::buildShortcuts() {
    Help->setShortcut(QKeySequence(Qt::Key_F1));
    Read->setShortcut(QKeySequence(Qt::Key_F4));
    Write->setShortcut(QKeySequence(Qt::Key_F5));
    WriteSeries->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    compareItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F5));
    archiveItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (int i = 0; i < 4; ++i)
        mainPortItems[i]->setShortcut(
            QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key(Qt::Key_F1 + i))));
    rawEditorItem_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    // A hidden menu item takes no shortcuts; while "Редактирование" is hidden
    // its shortcut is served by this one (the handler itself checks the mode).
    hiddenRawEditorShortcut_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F1), this);
    hiddenRawEditorShortcut_->setObjectName(QStringLiteral("HotKey12"));
    hiddenRawEditorShortcut_->setContext(Qt::WindowShortcut);
    connect(hiddenRawEditorShortcut_, &QShortcut::activated, this, &TForm1::rawEditorClick);
    connect(rawEditorItem_, &QAction::changed, this,
            [this] { hiddenRawEditorShortcut_->setEnabled(!rawEditorItem_->isVisible()); });
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

void TForm1::ArchiveClick() {
    commands::showArchive(*this);
}

void TForm1::CompareClick() {
    if (compareItem_->isEnabled())
        commands::compareWithRadio(*this);
}

void TForm1::HelpClick() {
    commands::help(*this);
}

void TForm1::AboutClick() {
    commands::about(*this);
}

void TForm1::rawEditorClick() {
    if (mode_ == omService)
        commands::rawEditor(*this);
}

void TForm1::factoryNumberClick() {
    if (mode_ == omService)
        commands::factoryNumber(*this);
}

// ---- Ports ---------------------------------------------------------------------------

void TForm1::searchPortClick() {
    applyPortChoice(autoDetectPort(windows_.line->exchange()));
}

void TForm1::choosePortClick(int n) {
    applyPortChoice(choosePort(windows_.line->exchange(), n));
}

void TForm1::applyPortChoice(const PortChoice& choice) {
    if (!choice.opened)
        messenger().error(choice.errorText);
    applyPortResult(choice.opened ? choice.port : 0);
}

void TForm1::applyPortResult(int portOrZero) {
    if (portOrZero >= 1) {
        checkedPort_ = portOrZero;
        panel0_->setText(portStatusText(portOrZero));
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
    compareItem_->setEnabled(on);
}

bool TForm1::numberChangeAllowed() {
    return ksv::numberChangeAllowed(mode_,
                                    windows_.snForm && windows_.snForm->numberChangeAllowed());
}

} // namespace ksv
