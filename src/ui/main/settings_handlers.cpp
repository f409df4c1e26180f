// Handlers of the three settings pages: the list and check box handlers, and
// Enter, which stores the window into the image, shows it again and moves to
// the next control of the page.

#include "ui/main/main_window.h"
#include "ui/main/tone_spin_edit.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace ksv {

namespace {

bool isEnterKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

void TForm1::connectSettingsHandlers() {
    // A list's change handler follows the user's choice only; the check box
    // handlers follow every change of state, also those made by ShowBuf.
    for (QComboBox* box : {sc_.ComboBox1, sc_.ComboBox2, sc_.ComboBox3, sc_.ComboBox4})
        connect(box, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(sc_.ComboBox11, &QComboBox::activated, this, &TForm1::ComboBox11Change);
    connect(sc_.ComboBox14, &QComboBox::activated, this, &TForm1::ComboBox14Change);
    // The priority channel only colours the table.
    connect(sc_.ComboBox5, &QComboBox::activated, this,
            [this] { StringGrid1->viewport()->update(); });
    connect(sc_.CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(sc_.CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
    connect(sc_.CheckBox3, &QCheckBox::toggled, this, &TForm1::CheckBox3Click);

    std::vector<ToneSpinEdit*> spins(sc_.toneSpin.begin(), sc_.toneSpin.end());
    spins.push_back(sc_.SpinEdit6);
    for (ToneSpinEdit* spin : spins)
        connect(spin, &ToneSpinEdit::enterPressed, this, [this, spin] { commitFrom(spin); });
}

void TForm1::installEnterHandling() {
    for (QComboBox* box : sc_.lists()) {
        box->installEventFilter(this);
        // Enter in the open list reaches the list view, not the box.
        box->view()->installEventFilter(this);
        box->view()->setProperty("ksvOwnerList", QVariant::fromValue<QObject*>(box));
    }
    ComboBox9->installEventFilter(this); // wheel only; the scrambler list has no Enter
    for (QCheckBox* box : {sc_.CheckBox1, sc_.CheckBox2, sc_.CheckBox3})
        box->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return QMainWindow::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Wheel:
        // The wheel does not change a list the user is not working in.
        if (qobject_cast<QComboBox*>(widget) && !widget->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        if (!isEnterKey(event))
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (QObject* owner = widget->property("ksvOwnerList").value<QObject*>()) {
            // The open list takes the choice first; commit once it is applied.
            QPointer<QComboBox> box = qobject_cast<QComboBox*>(owner);
            QTimer::singleShot(0, this, [this, box] {
                if (box)
                    commitFrom(box);
            });
            return false;
        }
        if (widget == ComboBox9)
            break;
        if (widget == sc_.CheckBox3) {
            // This box commits when Enter is released, and only for a press
            // it received itself, so an Enter that moved the focus here does
            // not run on past it.
            if (!key->isAutoRepeat())
                checkBox3EnterArmed_ = widget;
            return true;
        }
        commitFrom(widget);
        return true;
    }
    case QEvent::KeyRelease:
        if (widget == sc_.CheckBox3 && isEnterKey(event)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && checkBox3EnterArmed_ == widget) {
                checkBox3EnterArmed_ = nullptr;
                commitFrom(widget);
            }
            return true;
        }
        break;
    case QEvent::FocusOut:
        if (widget == sc_.CheckBox3)
            checkBox3EnterArmed_ = nullptr;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::commitFrom(QWidget* control) {
    SetBuf(image_);
    ShowBuf(image_);
    focusNextOnPage(control);
}

void TForm1::focusNextOnPage(QWidget* control) {
    for (QWidget* page : {sc_.TabSheet2, sc_.TabSheet3, sc_.TabSheet4}) {
        if (!page->isAncestorOf(control))
            continue;
        const std::vector<QWidget*> order = sc_.pageOrder(page);
        const auto it = std::find(order.begin(), order.end(), control);
        if (it == order.end())
            return;
        const std::size_t at = static_cast<std::size_t>(it - order.begin());
        for (std::size_t step = 1; step <= order.size(); ++step) {
            QWidget* next = order[(at + step) % order.size()];
            if (next->isVisibleTo(page) && next->isEnabled()) {
                next->setFocus(Qt::TabFocusReason);
                return;
            }
        }
        return;
    }
}

// ---- Handlers ------------------------------------------------------------------------

void TForm1::ComboBox1Change() {
    // A group change is stored and shown at once, so an invalid group is
    // refused and its selectors jump back to the stored values.
    if (!displayDone_)
        return;
    SetBuf(image_);
    ShowBuf(image_);
}

void TForm1::ComboBox14Change() {
    SetBuf(image_);
    ShowBuf(image_);
}

void TForm1::ComboBox11Change() {
    // Variants 2 and 3 transmit on the priority channel and need its scanning.
    const int index = sc_.ComboBox11->currentIndex();
    if (!sc_.CheckBox3->isChecked() && (index == 2 || index == 3))
        sc_.ComboBox11->setCurrentIndex(1);
}

void TForm1::CheckBox3Click() {
    const bool on = sc_.CheckBox3->isChecked();
    if (!on) {
        const int index = sc_.ComboBox11->currentIndex();
        if (index == 2 || index == 3)
            sc_.ComboBox11->setCurrentIndex(1);
        for (int row = 1; row <= kChannelCount; ++row)
            StringGrid1->setCell(7, row, QString());
    }
    sc_.GroupBox1->setVisible(on);
    StringGrid1->viewport()->update();
}

void TForm1::CheckBox2Click() {
    const bool on = sc_.CheckBox2->isChecked();
    sc_.GroupBox3->setVisible(on);
    if (!on)
        return;
    // Switching tone signalling on offers two tones of 2100 and 1450 Hz, 2 s.
    sc_.ComboBox14->setCurrentIndex(1);
    sc_.toneSpin[0]->setValue(2100);
    sc_.toneSpin[1]->setValue(1450);
    sc_.ComboBox15->setCurrentIndex(1);
    showToneCount(2);
}

void TForm1::CheckBox1Click() {
    const bool on = sc_.CheckBox1->isChecked();
    sc_.GroupBox6->setVisible(on);
    if (!on)
        return;
    sc_.SpinEdit6->setValue(1450);
    sc_.ComboBox16->setCurrentIndex(9);
}

void TForm1::setToneFieldShown(int tone, bool shown) {
    sc_.toneSpin[tone - 1]->setVisible(shown);
    sc_.toneLabel[tone - 1]->setVisible(shown);
}

void TForm1::showToneCount(int count) {
    for (int k = 1; k <= 5; ++k)
        setToneFieldShown(k, k <= count);
}

} // namespace ksv
