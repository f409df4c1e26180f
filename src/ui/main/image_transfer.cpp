// SetBuf and ShowBuf: the whole window into the settings image and back.
// A list that shows no selection (its image value lies outside the list)
// leaves its field of the image as it is, so a value the window cannot show
// is never destroyed by a store.

#include "ui/dialogs/messages.h"
#include "image/checksum.h"
#include "ui/main/click_label.h"
#include "ui/main/main_window.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolBar>

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

// Stores a group of two selectors; false when the last channel lies before
// the first. A selector without a selection keeps its byte.
bool storeGroup(Image& im, const QComboBox* first, const QComboBox* last, int firstOff, int lastOff,
                int copyOff) {
    const int a = first->currentIndex();
    const int b = last->currentIndex();
    if (a >= 0 && b >= 0 && b < a)
        return false;
    if (a >= 0) {
        im[firstOff] = static_cast<std::uint8_t>(a);
        im[copyOff] = static_cast<std::uint8_t>(a);
    }
    if (b >= 0)
        im[lastOff] = static_cast<std::uint8_t>(b);
    return true;
}

} // namespace

bool TForm1::SetBuf(Image& im) {
    // 1. Scrambler fitted. A list without a selection (a repeater image with
    // the bit set) clears it.
    putBit(im[off::Options223], bit::Scrambler, ComboBox9->currentIndex() == 1);

    // 2. Channel table.
    const RadioType type = RsType(im);
    const auto frequency = [&](int col, int row) {
        const FrqCode c = TxtFrq(StringGrid1->cell(col, row).toStdString(), type, mode_, ranges_);
        if (c.error)
            messenger().plain(fromStd(*c.error));
        return c.code;
    };
    for (int n = 1; n <= kChannelCount; ++n) {
        im.setRxCode(n, frequency(1, n));
        im.setTxCode(n, frequency(2, n));
        im.setRxSubtone(n, TxtSub(StringGrid1->cell(3, n).toStdString()));
        im.setTxSubtone(n, TxtSub(StringGrid1->cell(4, n).toStdString()));
        im.setFlag(n, bit::Prohibit, StringGrid1->cell(5, n) == QStringLiteral("Запрет"));
        im.setFlag(n, bit::ScanS, StringGrid1->cell(6, n) == QStringLiteral("S"));
        im.setFlag(n, bit::ScanL, StringGrid1->cell(7, n) == QStringLiteral("L"));
        im.setFlag(n, bit::TxOff, StringGrid1->cell(2, n) == QString::fromUtf8(kOff));
    }

    // 3, 4. Channel groups.
    const QString groupMessage = QStringLiteral("Номер канала введен неверно");
    if (!storeGroup(im, sc_.ComboBox1, sc_.ComboBox2, off::Group1First, off::Group1Last,
                    off::Group1Copy))
        messenger().error(groupMessage);
    if (!storeGroup(im, sc_.ComboBox3, sc_.ComboBox4, off::Group2First, off::Group2Last,
                    off::Group2Copy))
        messenger().error(groupMessage);

    // 5. Priority channel.
    if (!sc_.CheckBox3->isChecked())
        im[off::PriorityChannel] = kPriorityOff;
    else if (const int i = sc_.ComboBox5->currentIndex(); i >= 0)
        im[off::PriorityChannel] = static_cast<std::uint8_t>(i);

    // 6 to 13. Single lists.
    if (const int i = sc_.ComboBox8->currentIndex(); i >= 0)
        im[off::PriorityPeriod] = static_cast<std::uint8_t>((i + 1) * 5);
    if (const int i = sc_.ComboBox6->currentIndex(); i >= 0)
        im[off::ScanTimes] =
            static_cast<std::uint8_t>((im[off::ScanTimes] & 0x0F) | ((i + 1) << 4));
    if (const int i = sc_.ComboBox7->currentIndex(); i >= 0)
        im[off::CarrierTime] = static_cast<std::uint8_t>(i + 10);
    if (const int i = sc_.ComboBox11->currentIndex(); i >= 0)
        im[off::Options223] = static_cast<std::uint8_t>((im[off::Options223] & 0xFC) | i);
    if (const int i = sc_.ComboBox17->currentIndex(); i >= 0)
        putBit(im[off::Options222], bit::NoShpListen, i == 0);
    if (const int i = sc_.ComboBox10->currentIndex(); i >= 0)
        im[off::TxLimit] = static_cast<std::uint8_t>(i);
    if (const int i = sc_.ComboBox12->currentIndex(); i >= 0)
        putBit(im[off::Options223], bit::SubtoneCancel, i == 1);
    if (const int i = sc_.ComboBox13->currentIndex(); i >= 0)
        putBit(im[off::Options223], bit::PowerSet, i == 0);

    // 14. Transmit tone signalling.
    if (sc_.CheckBox2->isChecked()) {
        if (const int i = sc_.ComboBox15->currentIndex(); i >= 0)
            im[off::ToneDuration] = static_cast<std::uint8_t>((i + 1) * 8);
        if (const int i = sc_.ComboBox14->currentIndex(); i >= 0) {
            const int count = i + 1;
            for (int k = 1; k <= 5; ++k) {
                const int hz = sc_.toneSpin[k - 1]->effectiveValue();
                im.setToneWord(k, k <= count ? toneEncode(hz) : 0);
            }
        }
    } else {
        for (int k = 1; k <= 5; ++k)
            im.setToneWord(k, 0);
    }

    // 15. Standby reception.
    if (sc_.CheckBox1->isChecked()) {
        const int hz = sc_.SpinEdit6->effectiveValue();
        im[off::RxTone] = static_cast<std::uint8_t>((hz - 500) / 10);
        const auto coefficients = detectorCoefficients(hz);
        for (int i = 0; i < 5; ++i)
            im[off::Detector + i] = coefficients[i];
        if (const int i = sc_.ComboBox16->currentIndex(); i >= 0)
            im[off::ScanTimes] = static_cast<std::uint8_t>((im[off::ScanTimes] & 0xF0) | (i + 1));
    } else {
        im[off::RxTone] = kStandbyOff;
        for (int i = 0; i < 5; ++i)
            im[off::Detector + i] = kDetectorOff[i];
    }

    // 16, 17.
    setBit(im[off::Model], bit::Stored);
    im[off::Checksum] = CalcCRC(im);
    return true;
}

bool TForm1::ShowBuf(const Image& im) {
    // 1.
    displayDone_ = false;

    // 2. Radio type, range text, allowed ranges, scrambler list, tool bar.
    const RadioType type = RsType(im);
    const Diap diap = DiapTxt(type, mode_);
    ranges_ = diap.ranges;
    Label2->setText(fromStd(diap.text));
    QStringList scramblers;
    for (const std::string& s : diap.scramblerItems)
        scramblers << fromStd(s);
    replaceItems(ComboBox9, scramblers);
    if (diap.hideScramblerBar)
        ToolBar5->hide();
    // The tone page is shown or hidden once, at the end, so that a refresh
    // made from that page does not move the user to another page first.
    bool toneTab = toneTabShown();
    if (diap.toneTab == TabVisibility::Show)
        toneTab = true;
    else if (diap.toneTab == TabVisibility::Hide)
        toneTab = false;

    // 3.
    Label3->setText(QStringLiteral("Зав. №: ") + fromStd(ZnTxt(im)));
    Label1->setText(QStringLiteral("Версия ПО: ") + fromStd(VerTxt(im)));

    // 4.
    showIndex(ComboBox9, testBit(im[off::Options223], bit::Scrambler) ? 1 : 0);

    // 5. Channel table.
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

    // 6. Channel groups.
    showIndex(sc_.ComboBox1, im[off::Group1First]);
    showIndex(sc_.ComboBox2, im[off::Group1Last]);
    showIndex(sc_.ComboBox3, im[off::Group2First]);
    showIndex(sc_.ComboBox4, im[off::Group2Last]);

    // 7. Priority channel; unchecking the box runs its handler, which clears
    // the L marks just written.
    if (im[off::PriorityChannel] != kPriorityOff) {
        sc_.CheckBox3->setChecked(true);
        showIndex(sc_.ComboBox5, im[off::PriorityChannel]);
    } else {
        sc_.CheckBox3->setChecked(false);
        showIndex(sc_.ComboBox5, kChannelCount - 1);
    }

    // 8.
    showIndex(sc_.ComboBox8, im[off::PriorityPeriod] / 5 - 1);
    showIndex(sc_.ComboBox6, (im[off::ScanTimes] >> 4) - 1);
    showIndex(sc_.ComboBox7, im[off::CarrierTime] - 10);
    showIndex(sc_.ComboBox11, im[off::Options223] & 3);

    // 9.
    showIndex(sc_.ComboBox17, testBit(im[off::Options222], bit::NoShpListen) ? 0 : 1);
    showIndex(sc_.ComboBox10, im[off::TxLimit]);
    showIndex(sc_.ComboBox12, testBit(im[off::Options223], bit::SubtoneCancel) ? 1 : 0);

    // 10.
    replaceItems(sc_.ComboBox13, isVhf(type) ? powerItemsVhf() : powerItemsUhf());
    showIndex(sc_.ComboBox13, testBit(im[off::Options223], bit::PowerSet) ? 0 : 1);

    // 11. Transmit tone signalling: the count is that of the tones present
    // before the first absent one; check box defaults are overwritten here.
    const auto absent = [&im](int k) { return im[2 * k - 1] == 0 && im[2 * k] == 0; };
    if (absent(1)) {
        sc_.CheckBox2->setChecked(false);
        for (int k = 2; k <= 5; ++k)
            setToneFieldShown(k, false);
    } else {
        toneTab = true;
        sc_.CheckBox2->setChecked(true);
        showIndex(sc_.ComboBox14, 4);
        showToneCount(5);
        for (int k = 5; k >= 2; --k) {
            if (absent(k)) {
                showIndex(sc_.ComboBox14, k - 2);
                setToneFieldShown(k, false);
            }
        }
        showIndex(sc_.ComboBox15, (im[off::ToneDuration] >> 3) - 1);
        for (int k = 1; k <= 5; ++k) {
            // A word without a frequency (N = 0) shows as the upper limit.
            const int hz = toneDecode(im.toneWord(k)).value_or(ToneSpinEdit::kMax);
            sc_.toneSpin[k - 1]->setValue(hz);
        }
    }

    // 12. Standby reception.
    const bool standbyOff = im[off::RxTone] == kStandbyOff ||
                            (im[11] == 0x80 && im[12] == 0xFF && im[13] == 0xFF && im[14] == 0x80);
    if (standbyOff) {
        sc_.CheckBox1->setChecked(false);
        sc_.GroupBox6->hide();
    } else {
        sc_.CheckBox1->setChecked(true);
        sc_.GroupBox6->show();
        sc_.SpinEdit6->setValue(im[off::RxTone] * 10 + 500);
        showIndex(sc_.ComboBox16, (im[off::ScanTimes] & 0x0F) - 1);
    }

    PageControl1->setTabVisible(PageControl1->indexOf(sc_.TabSheet4), toneTab);

    // 13.
    displayDone_ = true;
    StringGrid1->viewport()->update();
    return true;
}

} // namespace ksv
