// SetBuf and ShowBuf: the whole window into the settings image and back.
// A list that shows no selection (its image value lies outside the list)
// leaves its field of the image as it is, so a value the window cannot show
// is never destroyed by a store.

#include "image/checksum.h"
#include "image/settings.h"
#include "ui/dialogs/messages.h"
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

// A list shows the item of its setting's value, or no selection.
void showList(QComboBox* box, const Image& im, SettingId id) {
    showIndex(box, setting(id).shownIndex(im));
}

// A list without a selection keeps its field.
void storeList(Image& im, const QComboBox* box, SettingId id) {
    if (const int i = box->currentIndex(); i >= 0)
        setting(id).store(im, i);
}

// Stores a group of two selectors; false when the last channel lies before
// the first. A selector without a selection keeps its byte.
bool storeGroup(Image& im, const QComboBox* first, const QComboBox* last, SettingId firstId,
                SettingId lastId, int group) {
    const int a = first->currentIndex();
    const int b = last->currentIndex();
    if (a >= 0 && b >= 0 && b < a)
        return false;
    storeList(im, first, firstId);
    if (a >= 0)
        im.setGroupCopy(group, static_cast<std::uint8_t>(a));
    storeList(im, last, lastId);
    return true;
}

void storeGroups(Image& im, const SettingsControls& c) {
    const QString groupMessage = QStringLiteral("Номер канала введен неверно");
    if (!storeGroup(im, c.ComboBox1, c.ComboBox2, SettingId::Group1First, SettingId::Group1Last, 1))
        messenger().error(groupMessage);
    if (!storeGroup(im, c.ComboBox3, c.ComboBox4, SettingId::Group2First, SettingId::Group2Last, 2))
        messenger().error(groupMessage);
}

void storePriorityChannel(Image& im, const SettingsControls& c) {
    if (!c.CheckBox3->isChecked())
        storePriorityScanOff(im);
    else
        storeList(im, c.ComboBox5, SettingId::PriorityChannel);
}

// The single lists of the pages, in the order the store takes them.
void storeSingleLists(Image& im, const SettingsControls& c) {
    storeList(im, c.ComboBox8, SettingId::PriorityPeriod);
    storeList(im, c.ComboBox6, SettingId::ResumeDelay);
    storeList(im, c.ComboBox7, SettingId::CarrierTime);
    storeList(im, c.ComboBox11, SettingId::ScanTransmit);
    storeList(im, c.ComboBox17, SettingId::ShpListen);
    storeList(im, c.ComboBox10, SettingId::TxLimit);
    storeList(im, c.ComboBox12, SettingId::SubtoneCancel);
    storeList(im, c.ComboBox13, SettingId::PowerLevels);
}

void storeToneSignalling(Image& im, const SettingsControls& c) {
    if (!c.CheckBox2->isChecked()) {
        storeTones(im, 0, {});
        return;
    }
    storeList(im, c.ComboBox15, SettingId::ToneDuration);
    if (const int i = c.ComboBox14->currentIndex(); i >= 0) {
        std::array<int, 5> hz{};
        for (int k = 0; k < 5; ++k)
            hz[k] = c.toneSpin[k]->effectiveValue();
        storeTones(im, setting(SettingId::ToneCount).items(RsType(im))[i].code, hz);
    }
}

void storeStandby(Image& im, const SettingsControls& c) {
    if (!c.CheckBox1->isChecked()) {
        storeStandbyOff(im);
        return;
    }
    storeStandbyTone(im, c.SpinEdit6->effectiveValue());
    storeList(im, c.ComboBox16, SettingId::AudioHold);
}

void showGroups(SettingsControls& c, const Image& im) {
    showList(c.ComboBox1, im, SettingId::Group1First);
    showList(c.ComboBox2, im, SettingId::Group1Last);
    showList(c.ComboBox3, im, SettingId::Group2First);
    showList(c.ComboBox4, im, SettingId::Group2Last);
}

// Unchecking the box runs its handler, which clears the L marks just written.
void showPriorityChannel(SettingsControls& c, const Image& im) {
    if (priorityScanOn(im)) {
        c.CheckBox3->setChecked(true);
        showList(c.ComboBox5, im, SettingId::PriorityChannel);
    } else {
        c.CheckBox3->setChecked(false);
        showIndex(c.ComboBox5, kChannelCount - 1);
    }
}

void showSingleLists(SettingsControls& c, const Image& im) {
    showList(c.ComboBox8, im, SettingId::PriorityPeriod);
    showList(c.ComboBox6, im, SettingId::ResumeDelay);
    showList(c.ComboBox7, im, SettingId::CarrierTime);
    showList(c.ComboBox11, im, SettingId::ScanTransmit);
    showList(c.ComboBox17, im, SettingId::ShpListen);
    showList(c.ComboBox10, im, SettingId::TxLimit);
    showList(c.ComboBox12, im, SettingId::SubtoneCancel);
    replaceItems(c.ComboBox13, itemTexts(SettingId::PowerLevels, RsType(im)));
    showList(c.ComboBox13, im, SettingId::PowerLevels);
}

void showStandby(SettingsControls& c, const Image& im) {
    if (!standbyOn(im)) {
        c.CheckBox1->setChecked(false);
        c.GroupBox6->hide();
        return;
    }
    c.CheckBox1->setChecked(true);
    c.GroupBox6->show();
    c.SpinEdit6->setValue(standbyToneHz(im));
    showList(c.ComboBox16, im, SettingId::AudioHold);
}

} // namespace

bool TForm1::SetBuf(Image& im) {
    // A scrambler list without a selection (a repeater image with the bit
    // set) stores "Отсутствует".
    setting(SettingId::Scrambler).store(im, std::max(ComboBox9->currentIndex(), 0));
    storeChannelTable(im);
    storeGroups(im, sc_);
    storePriorityChannel(im, sc_);
    storeSingleLists(im, sc_);
    storeToneSignalling(im, sc_);
    storeStandby(im, sc_);
    im.setStoredBit(true);
    im.setChecksum(CalcCRC(im));
    return true;
}

void TForm1::storeChannelTable(Image& im) {
    const RadioType type = RsType(im);
    const auto frequency = [&](int col, int row) {
        const FrqCode c = TxtFrq(StringGrid1->cell(col, row).toStdString(), type, mode_, ranges_);
        if (c.error)
            messenger().plain(fromStd(*c.error));
        return c.code;
    };
    for (int n = 1; n <= kChannelCount; ++n) {
        const ChannelView record = im.channel(n);
        record.setRxCode(frequency(1, n));
        record.setTxCode(frequency(2, n));
        record.setRxSubtone(TxtSub(StringGrid1->cell(3, n).toStdString()));
        record.setTxSubtone(TxtSub(StringGrid1->cell(4, n).toStdString()));
        record.setProhibited(StringGrid1->cell(5, n) == QStringLiteral("Запрет"));
        record.setScanS(StringGrid1->cell(6, n) == QStringLiteral("S"));
        record.setScanL(StringGrid1->cell(7, n) == QStringLiteral("L"));
        record.setTxOff(StringGrid1->cell(2, n) == QString::fromUtf8(kOff));
    }
}

bool TForm1::ShowBuf(const Image& im) {
    displayDone_ = false;
    bool toneTab = showRadioType(im);
    Label3->setText(QStringLiteral("Зав. №: ") + fromStd(ZnTxt(im)));
    Label1->setText(QStringLiteral("Версия ПО: ") + fromStd(VerTxt(im)));
    showList(ComboBox9, im, SettingId::Scrambler);
    showChannelTable(im);
    showGroups(sc_, im);
    showPriorityChannel(sc_, im);
    showSingleLists(sc_, im);
    if (toneSignallingOn(im))
        toneTab = true;
    showToneSignalling(im);
    showStandby(sc_, im);
    PageControl1->setTabVisible(PageControl1->indexOf(sc_.TabSheet4), toneTab);
    displayDone_ = true;
    StringGrid1->viewport()->update();
    return true;
}

// Radio type, range text, allowed ranges, scrambler list and tool strip;
// returns whether the tone page is to be shown. The page is shown or hidden
// once, at the end of the show, so that a refresh made from that page does
// not move the user to another page first.
bool TForm1::showRadioType(const Image& im) {
    const RadioType type = RsType(im);
    const Diap diap = DiapTxt(type, mode_);
    ranges_ = diap.ranges;
    Label2->setText(fromStd(diap.text));
    replaceItems(ComboBox9, itemTexts(SettingId::Scrambler, type));
    if (diap.hideScramblerBar)
        ToolBar5->hide();
    if (diap.toneTab == TabVisibility::Show)
        return true;
    if (diap.toneTab == TabVisibility::Hide)
        return false;
    return toneTabShown();
}

void TForm1::showChannelTable(const Image& im) {
    for (int n = 1; n <= kChannelCount; ++n) {
        const RadioType t = RsType(im);
        const std::uint8_t flags = im.flags(n);
        StringGrid1->setCell(1, n, fromStd(FrqTxt(im.rxCode(n), t)));
        StringGrid1->setCell(2, n, fromStd(FrqTxt(im.txCode(n), t)));
        StringGrid1->setCell(3, n, fromStd(SubTxt(im.rxSubtone(n))));
        StringGrid1->setCell(4, n, fromStd(SubTxt(im.txSubtone(n))));
        StringGrid1->setCell(5, n, fromStd(ZapTxt(flags)));
        StringGrid1->setCell(6, n, fromStd(STxt(flags)));
        StringGrid1->setCell(7, n, fromStd(LTxt(flags)));
    }
}

// Ticking the box runs its handler, whose defaults the image's values then
// overwrite; a tone's field is hidden when its word is absent, and the count
// is that of the tones before the first absent one.
void TForm1::showToneSignalling(const Image& im) {
    if (!toneSignallingOn(im)) {
        sc_.CheckBox2->setChecked(false);
        for (int k = 2; k <= 5; ++k)
            setToneFieldShown(k, false);
        return;
    }
    sc_.CheckBox2->setChecked(true);
    showToneCount(5);
    for (int k = 2; k <= 5; ++k)
        setToneFieldShown(k, toneShown(im, k));
    showList(sc_.ComboBox14, im, SettingId::ToneCount);
    showList(sc_.ComboBox15, im, SettingId::ToneDuration);
    for (int k = 1; k <= 5; ++k)
        sc_.toneSpin[k - 1]->setValue(toneSpinHz(im, k));
}

} // namespace ksv
