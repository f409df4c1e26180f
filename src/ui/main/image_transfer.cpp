// SetBuf and ShowBuf: the settings pages committed into the window's image
// and refreshed from it. The channel table needs neither: it shows and edits
// the image itself, and the commit only normalises its records. A list that
// shows no selection (its image value lies outside the list) leaves its field
// of the image as it is, so a value the window cannot show is never
// destroyed by a commit.

#include "image/normalise.h"
#include "ui/dialogs/messages.h"
#include "ui/grid/channel_table.h"
#include "ui/main/click_label.h"
#include "ui/main/main_window.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>
#include <algorithm>

namespace ksv {

namespace {

void showIndex(QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void replaceItems(QComboBox* box, const QStringList& items) {
    QStringList current;
    for (int i = 0; i < box->count(); ++i)
        current << box->itemText(i);
    if (current == items)
        return;
    box->clear();
    box->addItems(items);
}

QString fromStd(const std::string& s) {
    return QString::fromStdString(s);
}

// The items of a list for a radio type, as the table spells them.
QStringList itemTexts(SettingId id, RadioType type) {
    QStringList out;
    for (const std::string& s : setting(id).texts(type))
        out << fromStd(s);
    return out;
}

// A list shows the items of the image's radio type and the item of its
// setting's value, or no selection.
void showList(const SettingsControls& c, const Image& im, SettingId id) {
    QComboBox* box = c.list(id);
    replaceItems(box, itemTexts(id, RsType(im)));
    showIndex(box, setting(id).shownIndex(im));
}

// A list without a selection keeps its field.
void storeList(Image& im, const SettingsControls& c, SettingId id) {
    if (const int i = c.list(id)->currentIndex(); i >= 0)
        setting(id).store(im, i);
}

// Stores a group of two selectors; false when the last channel lies before
// the first. A selector without a selection keeps its byte.
bool storeGroup(Image& im, const SettingsControls& c, SettingId firstId, SettingId lastId,
                int group) {
    const int a = c.list(firstId)->currentIndex();
    const int b = c.list(lastId)->currentIndex();
    if (a >= 0 && b >= 0 && b < a)
        return false;
    storeList(im, c, firstId);
    if (a >= 0)
        im.setGroupCopy(group, static_cast<std::uint8_t>(a));
    storeList(im, c, lastId);
    return true;
}

void storeGroups(Image& im, const SettingsControls& c, bool quiet) {
    const QString groupMessage = QStringLiteral("Номер канала введен неверно");
    if (!storeGroup(im, c, SettingId::Group1First, SettingId::Group1Last, 1) && !quiet)
        messenger().error(groupMessage);
    if (!storeGroup(im, c, SettingId::Group2First, SettingId::Group2Last, 2) && !quiet)
        messenger().error(groupMessage);
}

void storePriorityChannel(Image& im, const SettingsControls& c) {
    if (!c.priorityScan->isChecked())
        storePriorityScanOff(im);
    else
        storeList(im, c, SettingId::PriorityChannel);
}

void storeToneSignalling(Image& im, const SettingsControls& c) {
    if (!c.toneSignalling->isChecked()) {
        storeTones(im, 0, {});
        return;
    }
    storeList(im, c, SettingId::ToneDuration);
    if (const int i = c.list(SettingId::ToneCount)->currentIndex(); i >= 0) {
        std::array<int, 5> hz{};
        for (int k = 0; k < 5; ++k)
            hz[k] = c.toneSpin[k]->effectiveValue();
        storeTones(im, setting(SettingId::ToneCount).items(RsType(im))[i].code, hz);
    }
}

void storeStandby(Image& im, const SettingsControls& c) {
    if (!c.standby->isChecked()) {
        storeStandbyOff(im);
        return;
    }
    storeStandbyTone(im, c.rxTone->effectiveValue());
    storeList(im, c, SettingId::AudioHold);
}

void showGroups(const SettingsControls& c, const Image& im) {
    for (SettingId id : {SettingId::Group1First, SettingId::Group1Last, SettingId::Group2First,
                         SettingId::Group2Last})
        showList(c, im, id);
}

// Unchecking the box runs its handler, which clears the L marks.
void showPriorityChannel(const SettingsControls& c, const Image& im) {
    if (priorityScanOn(im)) {
        c.priorityScan->setChecked(true);
        showList(c, im, SettingId::PriorityChannel);
    } else {
        c.priorityScan->setChecked(false);
        showIndex(c.list(SettingId::PriorityChannel), kChannelCount - 1);
    }
}

void showStandby(const SettingsControls& c, const Image& im) {
    if (!standbyOn(im)) {
        c.standby->setChecked(false);
        c.standbyFrame->hide();
        return;
    }
    c.standby->setChecked(true);
    c.standbyFrame->show();
    c.rxTone->setValue(standbyToneHz(im));
    showList(c, im, SettingId::AudioHold);
}

} // namespace

void MainWindow::commitEdits() {
    Image im = currentImage();
    storeSettings(im, false);
    windowImage_.set(im);
}

Image MainWindow::imageAsShown() {
    Image im = currentImage();
    storeSettings(im, true);
    return im;
}

// The store of SetBuf: the scrambler, the groups (with their messages), the
// priority channel, the lists that stand alone, tone signalling, standby
// reception, then the finish of every store (the channel records, the stored
// bit and the checksum).
void MainWindow::storeSettings(Image& im, bool quiet) {
    // A scrambler list without a selection (a repeater image with the bit
    // set) stores "Отсутствует".
    setting(SettingId::Scrambler).store(im, std::max(scramblerBox()->currentIndex(), 0));
    storeGroups(im, sc_, quiet);
    storePriorityChannel(im, sc_);
    for (SettingId id : independentLists())
        storeList(im, sc_, id);
    storeToneSignalling(im, sc_);
    storeStandby(im, sc_);
    finishStore(im, mode_);
}

// The image and what its refresh changes are one step.
bool MainWindow::showImage(const Image& image) {
    const ImageHistory::Step step(history_);
    windowImage_.set(image);
    return refreshFromImage();
}

// ShowBuf. The image may change on the way: unticking priority scanning
// clears the L marks.
bool MainWindow::refreshFromImage() {
    displayDone_ = false;
    const Image& im = currentImage(); // follows the image through changes
    bool toneTab = showRadioType(im);
    factoryNumberLabel_->setText(QStringLiteral("Зав. №: ") + fromStd(ZnTxt(im)));
    firmwareLabel_->setText(QStringLiteral("Версия ПО: ") + fromStd(VerTxt(im)));
    showList(sc_, im, SettingId::Scrambler);
    showGroups(sc_, im);
    showPriorityChannel(sc_, im);
    for (SettingId id : independentLists())
        showList(sc_, im, id);
    if (toneSignallingOn(im))
        toneTab = true;
    showToneSignalling(im);
    showStandby(sc_, im);
    pages_->setTabVisible(pages_->indexOf(sc_.tonePage), toneTab);
    displayDone_ = true;
    channelTable_->viewport()->update();
    return true;
}

// Radio type, range text, allowed ranges and tool strip; returns whether the
// tone page is to be shown. The page is shown or hidden once, at the end of
// the show, so that a refresh made from that page does not move the user to
// another page first.
bool MainWindow::showRadioType(const Image& im) {
    const Diap diap = DiapTxt(RsType(im), mode_);
    ranges_ = diap.ranges;
    rangeLabel_->setText(fromStd(diap.text));
    if (diap.hideScramblerBar)
        scramblerBar_->hide();
    if (diap.toneTab == TabVisibility::Show)
        return true;
    if (diap.toneTab == TabVisibility::Hide)
        return false;
    return toneTabShown();
}

// Ticking the box runs its handler, whose defaults the image's values then
// overwrite; a tone's field is hidden when its word is absent, and the count
// is that of the tones before the first absent one.
void MainWindow::showToneSignalling(const Image& im) {
    if (!toneSignallingOn(im)) {
        sc_.toneSignalling->setChecked(false);
        for (int k = 2; k <= 5; ++k)
            setToneFieldShown(k, false);
        return;
    }
    sc_.toneSignalling->setChecked(true);
    showToneCount(5);
    for (int k = 2; k <= 5; ++k)
        setToneFieldShown(k, toneShown(im, k));
    showList(sc_, im, SettingId::ToneCount);
    showList(sc_, im, SettingId::ToneDuration);
    for (int k = 1; k <= 5; ++k)
        sc_.toneSpin[k - 1]->setValue(toneSpinHz(im, k));
}

} // namespace ksv
