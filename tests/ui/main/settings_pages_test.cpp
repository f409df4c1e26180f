#include "form_fixture.h"
#include "ui/grid/channel_paint.h"
#include "ui/main/commands.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

namespace ksv::test {
namespace {

class SettingsPagesTest : public FormTest {
protected:
    void SetUp() override { start(omUser, rtVehicleVhf); }

    // Puts the image into the window as a read or an opened file would.
    void showWith(const std::function<void(Image&)>& change) {
        Image im = image();
        change(im);
        form->showImage(im);
    }

    void openPage(QWidget* page) {
        form->pages()->setCurrentWidget(page);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Replaces the field's text by typing.
    static void typeInto(QAbstractSpinBox* spin, const QString& text) {
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClicks(spin, text);
    }

    bool toneShown(int k) {
        return !c().toneSpin[k - 1]->isHidden() && !c().toneLabel[k - 1]->isHidden();
    }
};

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

TEST_F(SettingsPagesTest, ListsOfferTheirItems) {
    const struct {
        QComboBox* box;
        int count;
        const char* first;
        const char* last;
    } lists[] = {{c().list(SettingId::ShpListen), 2, "Нет", "Да"},
                 {c().list(SettingId::TxLimit), 37, "Не ограничено", "180"},
                 {c().list(SettingId::SubtoneCancel), 2, "Нет", "Да"},
                 {c().list(SettingId::Group1First), 40, "1", "40"},
                 {c().list(SettingId::Group2Last), 40, "1", "40"},
                 {c().list(SettingId::ResumeDelay), 15, "1", "15"},
                 {c().list(SettingId::CarrierTime), 41, "100", "500"},
                 {c().list(SettingId::ScanTransmit), 4, "Вариант 4", "Вариант 3"},
                 {c().list(SettingId::PriorityChannel), 40, "1", "40"},
                 {c().list(SettingId::PriorityPeriod), 10, "0,5", "5,0"},
                 {c().list(SettingId::ToneCount), 5, "1", "5"},
                 {c().list(SettingId::ToneDuration), 20, "1", "20"},
                 {c().list(SettingId::AudioHold), 15, "1", "15"}};
    for (const auto& l : lists) {
        const QStringList texts = items(l.box);
        ASSERT_EQ(texts.size(), l.count) << l.box->objectName().toStdString();
        EXPECT_EQ(texts.first(), QString::fromUtf8(l.first));
        EXPECT_EQ(texts.last(), QString::fromUtf8(l.last));
    }
    EXPECT_EQ(items(c().list(SettingId::PriorityPeriod))[1], QStringLiteral("1,0"));
    EXPECT_EQ(items(c().list(SettingId::ScanTransmit)),
              (QStringList{"Вариант 4", "Вариант 1", "Вариант 2", "Вариант 3"}));
    EXPECT_EQ(items(c().list(SettingId::PowerLevels)),
              (QStringList{"5-10-20 (Возимая)", "5-20-40 (Стационарная)"}));
    EXPECT_EQ(items(form->findChild<QComboBox*>("scramblerList")),
              (QStringList{"Отсутствует", "09ЛС400-07Б"}));

    start(omUser, rtStationaryUhf);
    EXPECT_EQ(items(c().list(SettingId::PowerLevels)),
              (QStringList{"5-10-20 (Возимая)", "5-20-30 (Стационарная)"}));
    EXPECT_EQ(c().list(SettingId::PowerLevels)->currentIndex(), 1);
    EXPECT_EQ(items(form->findChild<QComboBox*>("scramblerList")),
              (QStringList{"Отсутствует", "09ЛС400-07В"}));
}

TEST_F(SettingsPagesTest, InvalidGroupIsRefusedAndItsSelectorsJumpBack) {
    showWith([](Image& im) {
        im[216] = 29;
        im[217] = 39;
    });
    choose(c().list(SettingId::Group1Last), 9); // group 1 from 30 to 10
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Номер канала введен неверно")});
    EXPECT_EQ(image()[217], 39);
    EXPECT_EQ(c().list(SettingId::Group1Last)->currentText(), QStringLiteral("40"));

    messages.clear();
    choose(c().list(SettingId::Group2Last), 19); // a valid group 2 goes straight into the image
    EXPECT_TRUE(messages.log.empty());
    EXPECT_EQ(image()[219], 19);
    EXPECT_EQ(image()[253], image()[218]);
}

TEST_F(SettingsPagesTest, ToneCountStoresAndHidesTonesBeyondIt) {
    c().toneSignalling->setChecked(true);
    EXPECT_FALSE(c().toneFrame->isHidden());
    EXPECT_EQ(c().toneSpin[0]->value(), 2100);
    EXPECT_EQ(c().toneSpin[1]->value(), 1450);
    EXPECT_EQ(c().list(SettingId::ToneCount)->currentText(), QStringLiteral("2"));

    showWith([](Image& im) {
        for (int k = 1; k <= 5; ++k)
            im.setToneWord(k, toneEncode(1000 + 100 * k));
    });
    choose(c().list(SettingId::ToneCount), 2); // three tones
    for (int b = 7; b <= 10; ++b)
        EXPECT_EQ(image()[b], 0) << b;
    EXPECT_EQ(image().toneWord(3), toneEncode(1300));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(toneShown(k), k <= 3) << k;

    // A gap: tone 3 absent, tone 4 present shows two tones and keeps tone 4 visible.
    showWith([](Image& im) {
        im.setToneWord(3, 0);
        im.setToneWord(4, toneEncode(1400));
        im.setToneWord(5, 0);
    });
    EXPECT_EQ(c().list(SettingId::ToneCount)->currentText(), QStringLiteral("2"));
    EXPECT_FALSE(toneShown(3));
    EXPECT_TRUE(toneShown(4));
    EXPECT_FALSE(toneShown(5));
    // The next store keeps the two tones before the gap only.
    form->commitEdits();
    EXPECT_EQ(image().toneWord(2), toneEncode(1200));
    EXPECT_EQ(image().toneWord(4), 0);
}

TEST_F(SettingsPagesTest, PriorityScanningOffClearsLMarksAndTheVariantsThatNeedIt) {
    c().priorityScan->setChecked(true);
    for (int row : {1, 5})
        setCell(7, row, QStringLiteral("L"));
    choose(c().list(SettingId::ScanTransmit), 3); // "Вариант 3"
    c().priorityScan->setChecked(false);
    EXPECT_EQ(c().list(SettingId::ScanTransmit)->currentText(), QStringLiteral("Вариант 1"));
    EXPECT_TRUE(cell(7, 1).isEmpty());
    EXPECT_TRUE(cell(7, 5).isEmpty());
    EXPECT_TRUE(c().priorityFrame->isHidden());
    choose(c().list(SettingId::ScanTransmit), 2);
    EXPECT_EQ(c().list(SettingId::ScanTransmit)->currentText(), QStringLiteral("Вариант 1"));

    form->commitEdits();
    EXPECT_EQ(image()[249], 0xFF);
    form->refreshFromImage();
    EXPECT_EQ(c().list(SettingId::PriorityChannel)->currentText(), QStringLiteral("40"));

    // An image with L marks but priority scanning off loses its marks when
    // shown while the box is ticked; shown again while unticked, they stay.
    c().priorityScan->setChecked(true);
    showWith([](Image& im) { im.channel(2).setScanL(true); });
    EXPECT_TRUE(cell(7, 2).isEmpty());
    showWith([](Image& im) { im.channel(2).setScanL(true); });
    EXPECT_EQ(cell(7, 2), QStringLiteral("L"));
}

TEST_F(SettingsPagesTest, ShowingAnImageRunsNoListHandler) {
    // Variant 2 needs priority scanning, but only a choice of the user is
    // corrected: a read or opened image is shown as it is.
    showWith([](Image& im) {
        im[249] = kPriorityOff;
        im[223] = static_cast<std::uint8_t>((im[223] & 0xFC) | 2);
    });
    EXPECT_FALSE(c().priorityScan->isChecked());
    EXPECT_EQ(c().list(SettingId::ScanTransmit)->currentText(), QStringLiteral("Вариант 2"));
}

TEST_F(SettingsPagesTest, ListValuesAreDecodedAndNormalisedAtTheNextStore) {
    showWith([](Image& im) { im[225] = 12; });
    EXPECT_EQ(c().list(SettingId::PriorityPeriod)->currentText(), QStringLiteral("1,0"));
    form->commitEdits();
    EXPECT_EQ(image()[225], 10);
}

TEST_F(SettingsPagesTest, ValuesAListCannotShowSurviveAStore) {
    showWith([](Image& im) {
        im[220] = 200;  // above 36
        im[224] = 5;    // below 10
        im[221] = 0x00; // both nibbles zero, standby reception on below
        im[231] = 95;
        const auto coefficients = detectorCoefficients(1450);
        for (int i = 0; i < 5; ++i)
            im[11 + i] = coefficients[i];
        im[225] = 3;
        im[249] = 45;
        im[216] = 50;
        im.setToneWord(1, toneEncode(1000));
        im[0] = 3;
    });
    for (QComboBox* box :
         {c().list(SettingId::TxLimit), c().list(SettingId::CarrierTime),
          c().list(SettingId::ResumeDelay), c().list(SettingId::AudioHold),
          c().list(SettingId::PriorityPeriod), c().list(SettingId::PriorityChannel),
          c().list(SettingId::Group1First), c().list(SettingId::ToneDuration)})
        EXPECT_EQ(box->currentIndex(), -1) << box->objectName().toStdString();
    form->commitEdits();
    EXPECT_EQ(image()[220], 200);
    EXPECT_EQ(image()[224], 5);
    EXPECT_EQ(image()[221], 0x00);
    EXPECT_EQ(image()[225], 3);
    EXPECT_EQ(image()[249], 45);
    EXPECT_EQ(image()[216], 50);
    EXPECT_EQ(image()[0], 3);
    EXPECT_TRUE(messages.log.empty());
}

TEST_F(SettingsPagesTest, AGroupWhoseListShowsNoSelectionIsPaintedAsEmpty) {
    showWith([](Image& im) {
        im[216] = 50; // group 1 from a channel the list cannot show, to channel 10
        im[217] = 9;
        im[218] = 19; // group 2: channels 20 to 30
        im[219] = 29;
    });
    ASSERT_EQ(c().list(SettingId::Group1First)->currentIndex(), -1);
    EXPECT_FALSE(channelLook(*form, 1).bold);
    EXPECT_FALSE(channelLook(*form, 5).bold);
    EXPECT_TRUE(channelLook(*form, 25).bold);
    form->commitEdits();
    EXPECT_EQ(image()[216], 50);
    EXPECT_EQ(image()[217], 9);
}

TEST_F(SettingsPagesTest, RepeaterWithScramblerBitShowsNoSelectionAndTheStoreClearsIt) {
    start(omUser, rtRepeaterVhf);
    showWith([](Image& im) { im.set(map::Scrambler, true); });
    auto* scrambler = form->findChild<QComboBox*>("scramblerList");
    EXPECT_EQ(scrambler->count(), 1);
    EXPECT_EQ(scrambler->currentIndex(), -1);
    form->commitEdits();
    EXPECT_FALSE(image().get(map::Scrambler));
}

TEST_F(SettingsPagesTest, StandbyReceptionStoresToneAndDetectorCoefficientsOnEnter) {
    openPage(c().tonePage);
    c().standby->setChecked(true);
    EXPECT_FALSE(c().standbyFrame->isHidden());
    EXPECT_EQ(c().rxTone->value(), 1450);
    EXPECT_EQ(c().list(SettingId::AudioHold)->currentText(), QStringLiteral("10"));

    c().rxTone->setFocus();
    QTest::keyClick(c().rxTone, Qt::Key_Return);
    EXPECT_EQ(image()[231], 95);
    EXPECT_EQ(image()[221] & 0x0F, 10);
    const std::array<std::uint8_t, 5> for1450 = {0x00, 0x2E, 0x00, 0x44, 0x00};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(image()[11 + i], for1450[i]) << i;
    EXPECT_TRUE(c().list(SettingId::AudioHold)->hasFocus()); // the next control of the page

    // 1455 Hz is stored as 95 (shown back as 1450); the coefficients follow the
    // typed value until the next store.
    c().rxTone->setFocus();
    typeInto(c().rxTone, QStringLiteral("1455"));
    QTest::keyClick(c().rxTone, Qt::Key_Return);
    EXPECT_EQ(image()[231], 95);
    EXPECT_EQ(image()[11], detectorCoefficients(1455)[0]);
    EXPECT_EQ(image()[14], detectorCoefficients(1455)[3]);
    EXPECT_EQ(c().rxTone->value(), 1450);
    form->commitEdits();
    EXPECT_EQ(image()[14], for1450[3]);
}

TEST_F(SettingsPagesTest, ToneFieldsNeverStoreAnEmptyOrOutOfRangeValue) {
    openPage(c().tonePage);
    c().toneSignalling->setChecked(true);
    ToneSpinEdit* spin = c().toneSpin[0];
    spin->setFocus();
    form->commitEdits();
    const Image before = image();

    typeInto(spin, QString());
    QTest::keyClick(spin, Qt::Key_Return); // does nothing in an empty field
    EXPECT_EQ(image(), before);
    EXPECT_TRUE(spin->hasFocus());
    c().list(SettingId::ToneDuration)->setFocus(); // leaving it empty gives 3000
    EXPECT_EQ(spin->text(), QStringLiteral("3000"));

    spin->setFocus();
    typeInto(spin, QStringLiteral("20"));
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(image().toneWord(1), toneEncode(500));
    EXPECT_EQ(spin->value(), 500);

    // A stored word without a frequency shows as 3000.
    showWith([](Image& im) { im.setToneWord(2, 0xFFFF); });
    EXPECT_EQ(c().toneSpin[1]->value(), 3000);
}

TEST_F(SettingsPagesTest, EmptyToneFieldCountsAs3000WhereverTheFocusGoes) {
    openPage(c().tonePage);
    c().toneSignalling->setChecked(true);
    c().standby->setChecked(true);
    ToneSpinEdit* spin = c().toneSpin[0];

    // Another window or a drop-down taking the focus leaves the field as it is.
    c().rxTone->setFocus();
    typeInto(c().rxTone, QString());
    c().list(SettingId::ToneDuration)->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(c().rxTone->text().isEmpty());
    spin->setFocus();
    typeInto(spin, QString());
    c().list(SettingId::ToneDuration)->setFocus(Qt::PopupFocusReason);
    EXPECT_TRUE(spin->text().isEmpty());

    // Stored and printed while still empty, both count as 3000.
    const print::CardData card = commands::cardToPrint(*form);
    EXPECT_EQ(card.toneHz[0], 3000);
    EXPECT_EQ(card.rxToneHz, 3000);
    form->commitEdits();
    EXPECT_EQ(image().toneWord(1), toneEncode(3000));
    EXPECT_EQ(image()[231], 250);

    // Another page opened while a field is empty leaves "3000" in it.
    form->refreshFromImage();
    spin->setFocus();
    typeInto(spin, QString());
    form->pages()->setCurrentWidget(c().mainPage);
    EXPECT_EQ(spin->text(), QStringLiteral("3000"));
}

TEST_F(SettingsPagesTest, PowerSetDecidesTheModelAfterEnter) {
    openPage(c().mainPage);
    c().list(SettingId::PowerLevels)->setFocus();
    c().list(SettingId::PowerLevels)->setCurrentIndex(1);
    QTest::keyClick(c().list(SettingId::PowerLevels), Qt::Key_Return);
    EXPECT_EQ(RsType(image()), rtStationaryVhf);
    EXPECT_EQ(form->findChild<QLabel*>("rangeLabel")->text(),
              QStringLiteral("Тарвен-51: 148000-149000, 171150-173000 кГц"));
    EXPECT_TRUE(c().list(SettingId::Group1First)->hasFocus());
}

TEST_F(SettingsPagesTest, EnterMovesToTheNextShownControlOfThePageAndWraps) {
    openPage(c().scanPage);
    c().priorityScan->setChecked(false); // its group box, the last controls, hides
    c().priorityScan->setFocus();
    QTest::keyClick(c().priorityScan, Qt::Key_Return);
    EXPECT_TRUE(c().list(SettingId::ResumeDelay)->hasFocus());

    // Enter that moves the focus onto the priority box is not taken by it
    // again when the key comes up.
    c().list(SettingId::ScanTransmit)->setFocus();
    QTest::keyPress(c().list(SettingId::ScanTransmit), Qt::Key_Return);
    ASSERT_TRUE(c().priorityScan->hasFocus());
    QTest::keyRelease(c().priorityScan, Qt::Key_Return);
    EXPECT_TRUE(c().priorityScan->hasFocus());
}

TEST_F(SettingsPagesTest, EnterInAnOpenListCommitsTheChoice) {
    openPage(c().mainPage);
    QComboBox* box = c().list(SettingId::TxLimit);
    ASSERT_EQ(box->currentIndex(), 36);
    box->setFocus();
    box->showPopup();
    QTest::keyClick(box->view(), Qt::Key_Up);
    QTest::keyClick(box->view(), Qt::Key_Return);
    settle();
    EXPECT_EQ(image()[220], 35);
    // The offscreen platform does not hand activation back from the closed
    // list, so ask the window which control holds its focus.
    EXPECT_EQ(form->focusWidget(), c().list(SettingId::SubtoneCancel));
}

TEST_F(SettingsPagesTest, WheelDoesNotTurnAListWithoutFocus) {
    openPage(c().mainPage);
    c().list(SettingId::ShpListen)->setFocus();
    QComboBox* box = c().list(SettingId::TxLimit);
    const int before = box->currentIndex();
    const QPointF at(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    EXPECT_EQ(box->currentIndex(), before);

    // Nor a tone field.
    c().standby->setChecked(true);
    QApplication::sendEvent(c().rxTone, &wheel);
    EXPECT_EQ(c().rxTone->value(), 1450);
}

TEST_F(SettingsPagesTest, ARefreshFromTheTonePageKeepsThatPageOpen) {
    start(omUser, rtVehicleUhf);
    showWith([](Image& im) { im.setToneWord(1, toneEncode(2100)); });
    ASSERT_TRUE(form->toneTabShown());
    openPage(c().tonePage);
    c().toneSpin[0]->setFocus();
    QTest::keyClick(c().toneSpin[0], Qt::Key_Return);
    EXPECT_EQ(form->pages()->currentWidget(), c().tonePage);
}

} // namespace
} // namespace ksv::test
