// Menus, tool bars, keyboard shortcuts and the command handlers of the main
// window. Each handler checks what the window decides (enabled item, mode)
// and hands the work to one function of commands.cpp.

#include "image/settings.h"
#include "link/port_line.h"
#include "link/port_selection.h"
#include "serial/port_map.h"
#include "ui/dialogs/factory_number_dialog.h"
#include "ui/dialogs/messages.h"
#include "ui/main/archive_commands.h"
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

QAction* MainWindow::makeAction(const char* name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty())
        action->setToolTip(hint);
    return action;
}

void MainWindow::buildActions() {
    newAction_ =
        makeAction("newAction", QStringLiteral("&Новый"), QStringLiteral("Создать новый файл"));
    openAction_ =
        makeAction("openAction", QStringLiteral("&Открыть"), QStringLiteral("Открыть файл"));
    saveAction_ =
        makeAction("saveAction", QStringLiteral("&Сохранить"), QStringLiteral("Сохранить файл"));
    printAction_ =
        makeAction("printAction", QStringLiteral("&Печать"), QStringLiteral("Печать данных"));
    exitAction_ = makeAction("exitAction", QStringLiteral("&Выход"), {});
    portSearchItem_ = makeAction("portSearchItem", QStringLiteral("&Автоопределение"), {});
    popupSearchItem_ = makeAction("popupSearchItem", QStringLiteral("&Автоопределение"), {});
    const char* mainNames[] = {"portItem1", "portItem2", "portItem3", "portItem4"};
    const char* popupNames[] = {"popupPortItem1", "popupPortItem2", "popupPortItem3",
                                "popupPortItem4"};
    for (int i = 0; i < 4; ++i) {
        const QString text = QStringLiteral("COM&%1").arg(i + 1);
        portItems_[i] = makeAction(mainNames[i], text, {});
        popupPortItems_[i] = makeAction(popupNames[i], text, {});
        portItems_[i]->setCheckable(true);
        popupPortItems_[i]->setCheckable(true);
    }
    readAction_ =
        makeAction("readAction", QStringLiteral("&Чтение"), QStringLiteral("Чтение данных"));
    writeAction_ =
        makeAction("writeAction", QStringLiteral("&Запись"), QStringLiteral("Программирование"));
    writeSeriesAction_ =
        makeAction("writeSeriesAction", QStringLiteral("Запись &серии..."),
                   QStringLiteral("Запись одних установок в несколько радиостанций"));
    writeSeriesAction_->setStatusTip(writeSeriesAction_->toolTip());
    archiveAction_ = makeAction("archiveAction", QStringLiteral("&Архив радиостанций..."),
                                QStringLiteral("Все считанные состояния радиостанций"));
    compareAction_ = makeAction("compareAction", QStringLiteral("Сра&внить с радиостанцией..."),
                                QStringLiteral("Что изменит запись в радиостанции"));
    for (QAction* a : {archiveAction_, compareAction_})
        a->setStatusTip(a->toolTip());
    readAction_->setEnabled(false);
    writeAction_->setEnabled(false);
    writeSeriesAction_->setEnabled(false);
    compareAction_->setEnabled(false);
    rawEditorSeparator_ = new QAction(this);
    rawEditorSeparator_->setObjectName(QStringLiteral("rawEditorSeparator"));
    rawEditorSeparator_->setSeparator(true);
    rawEditorSeparator_->setVisible(false);
    rawEditorItem_ = makeAction("rawEditorItem", QStringLiteral("&Редактирование"), {});
    rawEditorItem_->setVisible(false);
    helpAction_ =
        makeAction("helpAction", QStringLiteral("Вызов &справки"), QStringLiteral("Вызов справки"));
    aboutAction_ = makeAction("aboutAction", QStringLiteral("&О программе..."), {});
    portButtonAction_ = makeAction("portButtonAction", QStringLiteral("COM &порт"),
                                   QStringLiteral("Выбор COM порта"));

    newAction_->setIcon(commandIcon(CommandIcon::New));
    openAction_->setIcon(commandIcon(CommandIcon::Open));
    saveAction_->setIcon(commandIcon(CommandIcon::Save));
    printAction_->setIcon(commandIcon(CommandIcon::Print));
    portButtonAction_->setIcon(commandIcon(CommandIcon::ComPort));
    readAction_->setIcon(commandIcon(CommandIcon::Read));
    writeAction_->setIcon(commandIcon(CommandIcon::Write));
    helpAction_->setIcon(commandIcon(CommandIcon::Help));
    exitAction_->setIcon(commandIcon(CommandIcon::Exit));
    connectActions();
}

void MainWindow::connectActions() {
    connect(newAction_, &QAction::triggered, this, &MainWindow::newFile);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openFile);
    connect(saveAction_, &QAction::triggered, this, &MainWindow::saveFile);
    connect(printAction_, &QAction::triggered, this, &MainWindow::printCard);
    connect(exitAction_, &QAction::triggered, this, &MainWindow::exitProgram);
    for (QAction* search : {portSearchItem_, popupSearchItem_, portButtonAction_})
        connect(search, &QAction::triggered, this, &MainWindow::searchPort);
    for (int i = 0; i < 4; ++i) {
        for (QAction* item : {portItems_[i], popupPortItems_[i]})
            connect(item, &QAction::triggered, this, [this, i] { selectPort(i + 1); });
    }
    connect(readAction_, &QAction::triggered, this, &MainWindow::readRadio);
    connect(writeAction_, &QAction::triggered, this, &MainWindow::writeRadio);
    connect(writeSeriesAction_, &QAction::triggered, this, &MainWindow::writeSeries);
    connect(archiveAction_, &QAction::triggered, this, &MainWindow::showArchive);
    connect(compareAction_, &QAction::triggered, this, &MainWindow::compareWithRadio);
    connect(rawEditorItem_, &QAction::triggered, this, &MainWindow::openRawEditor);
    connect(helpAction_, &QAction::triggered, this, &MainWindow::showHelp);
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    file->addAction(newAction_);
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addSeparator();
    file->addAction(archiveAction_);
    file->addSeparator();
    file->addAction(printAction_);
    file->addSeparator();
    file->addAction(exitAction_);

    editMenu_ = bar->addMenu(QStringLiteral("Пр&авка"));
    editMenu_->setObjectName(QStringLiteral("EditMenu"));

    QMenu* settings = bar->addMenu(QStringLiteral("&Настройки"));
    portMenu_ = settings->addMenu(commandIcon(CommandIcon::ComPort), QStringLiteral("COM &порт"));
    portMenu_->setObjectName(QStringLiteral("portMenu"));
    portMenu_->menuAction()->setObjectName(QStringLiteral("portMenuItem"));
    portMenu_->menuAction()->setToolTip(QStringLiteral("Выбор COM порта"));
    portMenu_->addAction(portSearchItem_);
    portMenu_->addSeparator();
    for (QAction* a : portItems_)
        portMenu_->addAction(a);
    settings->addSeparator();
    settings->addAction(readAction_);
    settings->addAction(writeAction_);
    settings->addAction(compareAction_);
    settings->addAction(writeSeriesAction_);
    settings->addAction(rawEditorSeparator_);
    settings->addAction(rawEditorItem_);

    QMenu* help = bar->addMenu(QStringLiteral("&Помощь"));
    help->addAction(helpAction_);
    help->addSeparator();
    help->addAction(aboutAction_);

    for (QMenu* m : {file, settings, portMenu_, help})
        m->setToolTipsVisible(true);

    portPopup_ = new QMenu(this);
    portPopup_->setObjectName(QStringLiteral("portPopup"));
    portPopup_->addAction(popupSearchItem_);
    portPopup_->addSeparator();
    for (QAction* a : popupPortItems_)
        portPopup_->addAction(a);
    portPopup_->setToolTipsVisible(true);
    connect(portMenu_, &QMenu::aboutToShow, this, &MainWindow::showPortDevices);
    connect(portPopup_, &QMenu::aboutToShow, this, &MainWindow::showPortDevices);
}

void MainWindow::buildToolBars() {
    commandBar_ = fixedToolBar(this, "commandBar");
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
    addButton(newAction_, "NewButton");
    addButton(openAction_, "OpenButton");
    addButton(saveAction_, "SaveButton");
    commandBar_->addSeparator();
    addButton(printAction_, "PrintButton");
    commandBar_->addSeparator();

    portButton_ = new QToolButton(commandBar_);
    portButton_->setObjectName(QStringLiteral("portButton"));
    portButton_->setDefaultAction(portButtonAction_);
    portButton_->setMenu(portPopup_);
    portButton_->setPopupMode(QToolButton::MenuButtonPopup);
    portButton_->setToolButtonStyle(commandBar_->toolButtonStyle());
    portButton_->setIconSize(commandBar_->iconSize());
    commandBar_->addWidget(portButton_);
    commandBar_->addSeparator();

    addButton(readAction_, "ReadButton");
    addButton(writeAction_, "WriteButton");
    commandBar_->addSeparator();
    addButton(helpAction_, "HelpButton");
    addToolBar(Qt::TopToolBarArea, commandBar_);
    addToolBarBreak(Qt::TopToolBarArea);
    buildInfoToolBars();
}

// The factory number, the firmware version and the scrambler type.
void MainWindow::buildInfoToolBars() {
    deviceBar_ = fixedToolBar(this, "deviceBar");
    factoryNumberLabel_ = new ClickLabel(QStringLiteral("Зав. №: 000000 "), deviceBar_);
    factoryNumberLabel_->setObjectName(QStringLiteral("factoryNumberLabel"));
    factoryNumberLabel_->setToolTip(QStringLiteral("Заводской номер приемопередатчика"));
    firmwareLabel_ = new QLabel(QStringLiteral("Версия ПО: 0.0"), deviceBar_);
    firmwareLabel_->setObjectName(QStringLiteral("firmwareLabel"));
    firmwareLabel_->setToolTip(QStringLiteral("Версия ПО контроллера приемепередатчика"));
    for (QLabel* l : {static_cast<QLabel*>(factoryNumberLabel_), firmwareLabel_})
        l->setContentsMargins(6, 0, 10, 0);
    deviceBar_->addWidget(factoryNumberLabel_);
    deviceBar_->addSeparator();
    deviceBar_->addWidget(firmwareLabel_);
    addToolBar(Qt::TopToolBarArea, deviceBar_);
    connect(factoryNumberLabel_, &ClickLabel::clicked, this, &MainWindow::editFactoryNumber);

    scramblerBar_ = fixedToolBar(this, "scramblerBar");
    auto* caption = new QLabel(QStringLiteral("УПР: "), scramblerBar_);
    caption->setObjectName(QStringLiteral("scramblerCaption"));
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

void MainWindow::buildShortcuts() {
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    readAction_->setShortcut(QKeySequence(Qt::Key_F4));
    writeAction_->setShortcut(QKeySequence(Qt::Key_F5));
    writeSeriesAction_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    compareAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F5));
    archiveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    openAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    newAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    printAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    for (int i = 0; i < 4; ++i)
        portItems_[i]->setShortcut(
            QKeySequence(QKeyCombination(Qt::ShiftModifier, Qt::Key(Qt::Key_F1 + i))));
    rawEditorItem_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F1));
    // A hidden menu item takes no shortcuts; while "Редактирование" is hidden
    // its shortcut is served by this one (the handler itself checks the mode).
    hiddenRawEditorShortcut_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F1), this);
    hiddenRawEditorShortcut_->setObjectName(QStringLiteral("hiddenRawEditorShortcut"));
    hiddenRawEditorShortcut_->setContext(Qt::WindowShortcut);
    connect(hiddenRawEditorShortcut_, &QShortcut::activated, this, &MainWindow::openRawEditor);
    connect(rawEditorItem_, &QAction::changed, this,
            [this] { hiddenRawEditorShortcut_->setEnabled(!rawEditorItem_->isVisible()); });
}

// ---- Commands ------------------------------------------------------------------------

void MainWindow::newFile() {
    commands::newFile(*this);
}

void MainWindow::openFile() {
    commands::openFile(*this);
}

void MainWindow::saveFile() {
    commands::saveFile(*this);
}

void MainWindow::printCard() {
    commands::print(*this);
}

void MainWindow::readRadio() {
    if (readAction_->isEnabled())
        commands::readRadio(*this);
}

void MainWindow::writeRadio() {
    if (writeAction_->isEnabled())
        commands::writeRadio(*this);
}

void MainWindow::writeSeries() {
    if (writeSeriesAction_->isEnabled())
        commands::writeSeries(*this);
}

void MainWindow::showArchive() {
    commands::showArchive(*this);
}

void MainWindow::compareWithRadio() {
    if (compareAction_->isEnabled())
        commands::compareWithRadio(*this);
}

void MainWindow::showHelp() {
    commands::help(*this);
}

void MainWindow::showAbout() {
    commands::about(*this);
}

void MainWindow::openRawEditor() {
    if (mode_ == omService)
        commands::rawEditor(*this);
}

void MainWindow::editFactoryNumber() {
    if (mode_ == omService)
        commands::factoryNumber(*this);
}

// ---- Ports ---------------------------------------------------------------------------

void MainWindow::searchPort() {
    applyPortChoice(autoDetectPort(windows_.line->exchange()));
}

void MainWindow::selectPort(int n) {
    applyPortChoice(choosePort(windows_.line->exchange(), n));
}

void MainWindow::applyPortChoice(const PortChoice& choice) {
    if (!choice.opened)
        messenger().error(choice.errorText);
    applyPortResult(choice.opened ? choice.port : 0);
}

void MainWindow::applyPortResult(int portOrZero) {
    if (portOrZero >= 1) {
        checkedPort_ = portOrZero;
        portPanel_->setText(portStatusText(portOrZero));
        setReadWriteEnabled(true);
    }
    // Triggering a checkable item toggles its mark; the marks always show
    // the port last opened, whatever was clicked.
    for (int i = 0; i < 4; ++i) {
        portItems_[i]->setChecked(checkedPort_ == i + 1);
        popupPortItems_[i]->setChecked(checkedPort_ == i + 1);
    }
    showPortDevices();
}

void MainWindow::showPortDevices() {
    const auto map = systemPortMap().offered();
    for (int i = 0; i < 4; ++i) {
        const QString tip = QString::fromStdString(portTipText(map[static_cast<std::size_t>(i)]));
        for (QAction* item : {portItems_[i], popupPortItems_[i]}) {
            item->setToolTip(tip);
            item->setStatusTip(tip);
        }
    }
    showExtraPorts(map);
    for (const PortMapping& m : map)
        if (m.com == checkedPort_)
            portPanel_->setToolTip(QString::fromStdString(portTipText(m)));
}

void MainWindow::setReadWriteEnabled(bool on) {
    readAction_->setEnabled(on);
    writeAction_->setEnabled(on);
    writeSeriesAction_->setEnabled(on);
    compareAction_->setEnabled(on);
}

bool MainWindow::numberChangeAllowed() {
    return ksv::numberChangeAllowed(mode_, windows_.factoryNumberDialog &&
                                               windows_.factoryNumberDialog->numberChangeAllowed());
}

} // namespace ksv
