#include "form_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcut>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace ksv::test {
namespace {

using MainWindowTest = FormTest;

// Texts of a menu's items, separators as "-", hidden items left out.
QStringList itemTexts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(MainWindowTest, FrameShowsCaptionPagesStatusPanelsAndMenus) {
    make(omUser);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Программа KSV717N v1.1"));
    EXPECT_EQ(form->width(), 632);
    EXPECT_EQ(form->height() - form->menuBar()->sizeHint().height(), 434);

    QTabWidget* pages = form->pages();
    ASSERT_EQ(pages->count(), 4);
    const QStringList tabs = {QStringLiteral("Параметры каналов"),
                              QStringLiteral("Основные настройки"), QStringLiteral("Сканирование"),
                              QStringLiteral("Тональные сигналы")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pages->tabText(i), tabs[i]);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(form->statusPanel(0), QStringLiteral("Порт:"));
    EXPECT_EQ(form->statusPanel(1), QStringLiteral("Файл: "));
    EXPECT_EQ(form->findChild<QLabel*>("factoryNumberLabel")->text(),
              QStringLiteral("Зав. №: 000000 "));
    EXPECT_EQ(form->findChild<QLabel*>("firmwareLabel")->text(), QStringLiteral("Версия ПО: 0.0"));

    QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Файл"));
    EXPECT_EQ(itemTexts(menus[0]->menu()),
              (QStringList{"&Новый", "&Открыть", "&Сохранить", "-", "&Архив радиостанций...", "-",
                           "&Печать", "-", "&Выход"}));
    const QStringList editItems = {"Отменить",
                                   "Повторить",
                                   "-",
                                   "Вырезать",
                                   "Копировать",
                                   "Вставить",
                                   "Очистить",
                                   "-",
                                   "Вставить канал",
                                   "Удалить канал",
                                   "Переместить вверх",
                                   "Переместить вниз",
                                   "-",
                                   "Сортировать по частоте ПРМ"};
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Пр&авка"));
    EXPECT_EQ(itemTexts(menus[1]->menu()), editItems);
    EXPECT_EQ(itemTexts(form->findChild<QMenu*>("ChannelTableMenu")), editItems);
    menus.removeAt(1);
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Настройки"));
    EXPECT_EQ(itemTexts(menus[1]->menu()),
              (QStringList{"COM &порт", "-", "&Чтение", "&Запись", "Сра&внить с радиостанцией...",
                           "Запись &серии..."}));
    EXPECT_EQ(itemTexts(form->findChild<QMenu*>("portMenu")),
              (QStringList{"&Автоопределение", "-", "COM&1", "COM&2", "COM&3", "COM&4"}));
    EXPECT_EQ(itemTexts(form->findChild<QMenu*>("portPopup")),
              (QStringList{"&Автоопределение", "-", "COM&1", "COM&2", "COM&3", "COM&4"}));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Помощь"));
    EXPECT_EQ(itemTexts(menus[2]->menu()), (QStringList{"Вызов &справки", "-", "&О программе..."}));
}

TEST_F(MainWindowTest, ToolButtonsShareCaptionHintAndPictureWithTheirMenuItems) {
    make(omUser);
    const struct {
        const char* button;
        const char* hint;
    } buttons[] = {{"NewButton", "Создать новый файл"}, {"OpenButton", "Открыть файл"},
                   {"SaveButton", "Сохранить файл"},    {"PrintButton", "Печать данных"},
                   {"portButton", "Выбор COM порта"},   {"ReadButton", "Чтение данных"},
                   {"WriteButton", "Программирование"}, {"HelpButton", "Вызов справки"}};
    for (const auto& b : buttons) {
        auto* button = form->findChild<QToolButton*>(b.button);
        ASSERT_NE(button, nullptr) << b.button;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint)) << b.button;
        EXPECT_FALSE(button->icon().isNull()) << b.button;
        EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << b.button;
    }
    EXPECT_FALSE(form->findChild<QAction*>("exitAction")->icon().isNull());
    EXPECT_FALSE(form->findChild<QToolButton*>("ReadButton")->isEnabled());
    EXPECT_FALSE(form->findChild<QToolButton*>("WriteButton")->isEnabled());
    // The user cannot move or hide the tool bars.
    for (QToolBar* bar : form->findChildren<QToolBar*>())
        EXPECT_FALSE(bar->isMovable());
    EXPECT_EQ(form->createPopupMenu(), nullptr);
}

TEST_F(MainWindowTest, ShortcutsActLikeTheirItemsAndNotWhileDisabled) {
    start(omUser, rtVehicleVhf);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const struct {
        const char* action;
        QKeySequence key;
    } table[] = {{"helpAction", Qt::Key_F1},
                 {"readAction", Qt::Key_F4},
                 {"writeAction", Qt::Key_F5},
                 {"writeSeriesAction", Qt::SHIFT | Qt::Key_F5},
                 {"openAction", Qt::CTRL | Qt::Key_O},
                 {"saveAction", Qt::CTRL | Qt::Key_S},
                 {"newAction", Qt::CTRL | Qt::Key_N},
                 {"printAction", Qt::CTRL | Qt::Key_P},
                 {"portItem1", Qt::SHIFT | Qt::Key_F1},
                 {"portItem2", Qt::SHIFT | Qt::Key_F2},
                 {"portItem3", Qt::SHIFT | Qt::Key_F3},
                 {"portItem4", Qt::SHIFT | Qt::Key_F4},
                 {"rawEditorItem", Qt::ALT | Qt::Key_F1},
                 {"Undo", Qt::CTRL | Qt::Key_Z},
                 {"Redo", Qt::CTRL | Qt::Key_Y},
                 {"Cut", Qt::CTRL | Qt::Key_X},
                 {"Copy", Qt::CTRL | Qt::Key_C},
                 {"Paste", Qt::CTRL | Qt::Key_V},
                 {"Clear", Qt::Key_Delete},
                 {"InsertChannel", Qt::CTRL | Qt::SHIFT | Qt::Key_Insert},
                 {"DeleteChannel", Qt::CTRL | Qt::SHIFT | Qt::Key_Delete},
                 {"MoveUp", Qt::CTRL | Qt::SHIFT | Qt::Key_Up},
                 {"MoveDown", Qt::CTRL | Qt::SHIFT | Qt::Key_Down}};
    for (const auto& t : table)
        EXPECT_EQ(form->findChild<QAction*>(t.action)->shortcut(), t.key) << t.action;
    QStringList keys; // no key has two items
    for (const QAction* a : form->findChildren<QAction*>())
        if (!a->shortcut().isEmpty())
            keys << a->shortcut().toString();
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size())
        << keys.join(' ').toStdString();
    QAction* series = form->findChild<QAction*>("writeSeriesAction");
    EXPECT_EQ(series->toolTip(), QStringLiteral("Запись одних установок в несколько радиостанций"));
    EXPECT_EQ(series->statusTip(), series->toolTip());
    EXPECT_FALSE(series->isEnabled()); // with "Запись", once a port has opened

    QSignalSpy read(form->findChild<QAction*>("readAction"), &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_F4);
    EXPECT_EQ(read.count(), 0); // disabled until a port has opened
    form->applyPortResult(2);
    EXPECT_TRUE(series->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_F4);
    EXPECT_EQ(read.count(), 1);
    // The read found no transceiver; its progress window took the focus.
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Нет соединения")});
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    messages.clear(); // a series needs the port open, not only once opened
    QTest::keyClick(form.get(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Порт COM1 не доступен")});

    // Alt+F1 stays live while its item is hidden (the handler checks the mode).
    QSignalSpy hidden(form->findChild<QShortcut*>("hiddenRawEditorShortcut"),
                      &QShortcut::activated);
    QTest::keyClick(form.get(), Qt::Key_F1, Qt::AltModifier);
    EXPECT_EQ(hidden.count(), 1);

    start(omService, rtVehicleVhf);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QSignalSpy edit(form->findChild<QAction*>("rawEditorItem"), &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_F1, Qt::AltModifier);
    EXPECT_EQ(edit.count(), 1); // exactly one owner of the key: no ambiguity
}

TEST_F(MainWindowTest, EveryCloseAsksAndOnlyYesEndsTheProgram) {
    start(omUser, rtVehicleVhf);
    const QString question = QStringLiteral("Выйти из программы?");

    form->close(); // close box; the question dismissed counts as No
    EXPECT_TRUE(form->isVisible());
    form->findChild<QAction*>("exitAction")->trigger(); // "Выход", answered No
    messages.answers = {false};
    form->requestClose(); // Esc in the channel table
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(messages.texts(), (QStringList{question, question, question}));
    EXPECT_EQ(programEnds, 0);

    messages.answers = {true};
    form->requestClose();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindowTest, PortResultsMarkBothItemsOfTheOpenPortAndEnableTransfers) {
    start(omUser, rtVehicleVhf);
    const auto checked = [this](int port) {
        const QString n = QString::number(port);
        return form->findChild<QAction*>("popupPortItem" + n)->isChecked() &&
               form->findChild<QAction*>("portItem" + n)->isChecked();
    };

    form->findChild<QAction*>("portSearchItem")->trigger(); // nothing free
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Свободный COM порт не найден")});
    EXPECT_EQ(form->statusPanel(0), QStringLiteral("Порт:"));
    EXPECT_FALSE(form->findChild<QAction*>("writeAction")->isEnabled());

    form->applyPortResult(3);
    EXPECT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM3"));
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(checked(p), p == 3) << p;
    for (const char* name : {"readAction", "writeAction"})
        EXPECT_TRUE(form->findChild<QAction*>(name)->isEnabled()) << name;
    for (const char* name : {"ReadButton", "WriteButton"})
        EXPECT_TRUE(form->findChild<QToolButton*>(name)->isEnabled()) << name;

    // A failed selection leaves marks and panel showing the earlier port, even
    // for the item that was just clicked.
    messages.clear();
    form->findChild<QAction*>("popupPortItem2")->trigger();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Порт COM2 не доступен")});
    EXPECT_FALSE(form->findChild<QAction*>("popupPortItem2")->isChecked());
    EXPECT_TRUE(checked(3));
    EXPECT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM3"));
    EXPECT_TRUE(form->findChild<QAction*>("readAction")->isEnabled());

    // Captions stay "COM&n"; the device is the tip of both items and of the panel.
    const QString com3 =
        QStringLiteral("/nonexistent/ksv717n-com3 — задан переменной KSV717N_COM3");
    for (const char* name : {"popupPortItem3", "portItem3"}) {
        EXPECT_EQ(form->findChild<QAction*>(name)->text(), QStringLiteral("COM&3"));
        EXPECT_EQ(form->findChild<QAction*>(name)->toolTip(), com3);
        EXPECT_EQ(form->findChild<QAction*>(name)->statusTip(), com3);
    }
    EXPECT_EQ(form->findChild<QLabel*>("portPanel")->toolTip(), com3);
}

} // namespace
} // namespace ksv::test
