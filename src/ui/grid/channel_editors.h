#pragma once

// The in-place editors of the channel table. They know nothing about cells:
// the table installs its handlers in the hooks and places them over a cell.
// Every key press ends in the editor, so that no key reaches the table behind
// it (where Escape would close the program).

#include <QComboBox>
#include <QLineEdit>

#include <functional>

namespace ksv {

using KeyHook = std::function<bool(QKeyEvent*)>; // true: the key was handled
using ExitHook = std::function<void(Qt::FocusReason)>;

// Frequency field: at most six characters, only digits can be typed; Backspace,
// Delete, the arrows, Home and End and the clipboard keys work as usual.
class FrequencyEdit : public QLineEdit {
public:
    FrequencyEdit(const QString& name, QWidget* parent);

    KeyHook onKeyDown; // runs first, for every key
    ExitHook onExit;   // the field lost the keyboard focus

    // Whether a key may reach the field once onKeyDown has passed it.
    static bool isTypeable(const QKeyEvent* e);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// Subtone list: an editable drop-down box whose list is open while it edits.
// Keyboard moves in the open list choose the item at once; the mouse chooses
// by clicking, not by hovering.
class SubtoneBox : public QComboBox {
public:
    explicit SubtoneBox(QWidget* parent);

    std::function<void(int)> onChange; // the current item changed (index)
    KeyHook onKeyDown;                 // keys of the box and of its open list
    std::function<void()> onCloseUp;   // the list was closed
    ExitHook onExit;

    // "Откл" and the 50 subtones, without change signals.
    void fill();

    void showPopup() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void viewCurrentChanged(const QModelIndex& current);

    QWidget* popup_ = nullptr;
    bool keyboardMove_ = false; // the list's current item is being moved by a key
};

} // namespace ksv
