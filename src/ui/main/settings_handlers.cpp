// Handlers of the three settings pages: the list and check box handlers, and
// Enter, which stores the window into the image, shows it again and moves to
// the next control of the page.

#include "ui/grid/channel_table.h"
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

void MainWindow::connectSettingsHandlers() {
    // A list's change handler follows the user's choice only; the check box
    // handlers follow every change of state, also those made by ShowBuf.
    for (SettingId id : {SettingId::Group1First, SettingId::Group1Last, SettingId::Group2First,
                         SettingId::Group2Last})
        connect(sc_.list(id), &QComboBox::activated, this, &MainWindow::groupChosen);
    connect(sc_.list(SettingId::ScanTransmit), &QComboBox::activated, this,
            &MainWindow::scanTransmitChosen);
    connect(sc_.list(SettingId::ToneCount), &QComboBox::activated, this,
            &MainWindow::toneCountChosen);
    // The priority channel only colours the table.
    connect(sc_.list(SettingId::PriorityChannel), &QComboBox::activated, this,
            [this] { channelTable_->viewport()->update(); });
    connect(sc_.standby, &QCheckBox::toggled, this, &MainWindow::standbyToggled);
    connect(sc_.toneSignalling, &QCheckBox::toggled, this, &MainWindow::toneSignallingToggled);
    connect(sc_.priorityScan, &QCheckBox::toggled, this, &MainWindow::priorityScanToggled);

    std::vector<ToneSpinEdit*> spins(sc_.toneSpin.begin(), sc_.toneSpin.end());
    spins.push_back(sc_.rxTone);
    for (ToneSpinEdit* spin : spins)
        connect(spin, &ToneSpinEdit::enterPressed, this, [this, spin] { commitFrom(spin); });
}

void MainWindow::installEnterHandling() {
    QComboBox* scrambler = scramblerBox();
    for (const auto& [id, box] : sc_.lists()) {
        box->installEventFilter(this);
        if (box == scrambler)
            continue; // the wheel only; the scrambler list has no Enter
        // Enter in the open list reaches the list view, not the box.
        box->view()->installEventFilter(this);
        box->view()->setProperty("ksvOwnerList", QVariant::fromValue<QObject*>(box));
    }
    for (QCheckBox* box : {sc_.standby, sc_.toneSignalling, sc_.priorityScan})
        box->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
        if (widget == scramblerBox())
            break;
        if (widget == sc_.priorityScan) {
            // This box commits when Enter is released, and only for a press
            // it received itself, so an Enter that moved the focus here does
            // not run on past it.
            if (!key->isAutoRepeat())
                priorityScanEnterArmed_ = widget;
            return true;
        }
        commitFrom(widget);
        return true;
    }
    case QEvent::KeyRelease:
        if (widget == sc_.priorityScan && isEnterKey(event)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && priorityScanEnterArmed_ == widget) {
                priorityScanEnterArmed_ = nullptr;
                commitFrom(widget);
            }
            return true;
        }
        break;
    case QEvent::FocusOut:
        if (widget == sc_.priorityScan)
            priorityScanEnterArmed_ = nullptr;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::commitAndRefresh() {
    const ImageHistory::Step step(history_);
    commitEdits();
    refreshFromImage();
}

void MainWindow::commitFrom(QWidget* control) {
    commitAndRefresh();
    focusNextOnPage(control);
}

void MainWindow::focusNextOnPage(QWidget* control) {
    for (QWidget* page : {sc_.mainPage, sc_.scanPage, sc_.tonePage}) {
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

void MainWindow::groupChosen() {
    // A group change is stored and shown at once, so an invalid group is
    // refused and its selectors jump back to the stored values.
    if (!displayDone_)
        return;
    commitAndRefresh();
}

void MainWindow::toneCountChosen() {
    commitAndRefresh();
}

void MainWindow::scanTransmitChosen() {
    // Variants 2 and 3 transmit on the priority channel and need its scanning.
    QComboBox* variant = sc_.list(SettingId::ScanTransmit);
    const int index = variant->currentIndex();
    if (!sc_.priorityScan->isChecked() && (index == 2 || index == 3))
        variant->setCurrentIndex(1);
}

// Unticked: variants 2 and 3 become variant 1, and the L marks of every
// channel are cleared in the image.
void MainWindow::priorityScanToggled() {
    const bool on = sc_.priorityScan->isChecked();
    if (!on) {
        QComboBox* variant = sc_.list(SettingId::ScanTransmit);
        const int index = variant->currentIndex();
        if (index == 2 || index == 3)
            variant->setCurrentIndex(1);
        windowImage_.edit([](Image& im) {
            for (int n = 1; n <= kChannelCount; ++n)
                channelField(ChannelFieldId::ScanL).set(im.channel(n), 0);
        });
    }
    sc_.priorityFrame->setVisible(on);
    channelTable_->viewport()->update();
}

void MainWindow::toneSignallingToggled() {
    const bool on = sc_.toneSignalling->isChecked();
    sc_.toneFrame->setVisible(on);
    if (!on)
        return;
    // Switching tone signalling on offers two tones of 2100 and 1450 Hz, 2 s.
    sc_.list(SettingId::ToneCount)->setCurrentIndex(1);
    sc_.toneSpin[0]->setValue(2100);
    sc_.toneSpin[1]->setValue(1450);
    sc_.list(SettingId::ToneDuration)->setCurrentIndex(1);
    showToneCount(2);
}

void MainWindow::standbyToggled() {
    const bool on = sc_.standby->isChecked();
    sc_.standbyFrame->setVisible(on);
    if (!on)
        return;
    sc_.rxTone->setValue(1450);
    sc_.list(SettingId::AudioHold)->setCurrentIndex(9);
}

void MainWindow::setToneFieldShown(int tone, bool shown) {
    sc_.toneSpin[tone - 1]->setVisible(shown);
    sc_.toneLabel[tone - 1]->setVisible(shown);
}

void MainWindow::showToneCount(int count) {
    for (int k = 1; k <= 5; ++k)
        setToneFieldShown(k, k <= count);
}

} // namespace ksv
