// Reading and writing through the main window: the real commands, the
// progress window and the port component against the transceiver simulator
// on a pseudo-terminal that the window's port search finds as COM1.
#include "form_fixture.h"
#include "image/checksum.h"
#include "image/defaults.h"
#include "link/write_list.h"
#include "support/sim_on_port.h"
#include "support/transceiver_sim.h"
#include "support/write_lists.h"
#include "ui/dialogs/factory_number_dialog.h"
#include "ui/grid/channel_editors.h"
#include "ui/main/tone_spin_edit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace ksv::test {
namespace {

const QString kRead = QStringLiteral("Данные считаны");
const QString kWritten = QStringLiteral("Данные записаны");
const QString kAlready = QStringLiteral("Данные уже записаны");
const QString kNoConnection = QStringLiteral("Нет соединения");
const QString kLockSuffix = QStringLiteral(" (выход в режим 40(30) Вт заблокирован)");

using Bytes = std::vector<std::uint8_t>;
const Bytes kReadBytes{0xFF, 0x01, 0x01, 0x03, 0x07};

// A transceiver's image exactly as the window stores it (so that edits are
// the only differences a write finds), with bytes the program must never
// change: factory number, firmware, 230 and 232..248.
Image radioImage(Image i, OperatingMode mode = omUser, std::uint32_t number = 654321) {
    ZnToBuf(number, i);
    i.set(map::Firmware, 23);
    i[230] = 0x5A;
    for (int k = 232; k <= 248; ++k)
        i[k] = static_cast<std::uint8_t>(k * 3);
    MainWindow window(mode);
    window.showImage(i);
    window.commitEdits();
    i = window.currentImage();
    return i;
}

Image radioImage(RadioType type, std::uint32_t number = 654321) {
    return radioImage(defaultImage(type), omUser, number);
}

// The records that turn `from` into `to`: every writable offset that
// differs, ascending, as the transceiver receives them after 0xFF 0xFF.
Bytes writeBytes(const Image& from, const Image& to, bool numberChange = false) {
    return lineBytesOf(writeListBetween(from, to, numberChange));
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

class ReadWriteTest : public FormTest {
protected:
    // The transceiver on COM1, then the program started with the given type;
    // its port search opens COM1.
    void startWith(OperatingMode mode, int type, const Image& radio, std::uint8_t status = 0) {
        sim.setImage(radio);
        sim.setStatus(status);
        sim.start();
        start(mode, type);
        // A healthy transceiver answers long before a tick.
        form->windows().line->exchange().setTimings({200, 10});
        ASSERT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM1"));
        activate();
    }
    void activate() {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void readButton() { QTest::mouseClick(button("ReadButton"), Qt::LeftButton); }
    void writeButton() { QTest::mouseClick(button("WriteButton"), Qt::LeftButton); }
    QToolButton* button(const char* name) { return form->findChild<QToolButton*>(name); }

    // A read with nothing logged before it; the messages of the read dropped.
    void readAndForget() {
        readButton();
        ASSERT_EQ(messages.texts(), QStringList{kRead});
        messages.clear();
        sim.clearLog();
        activate();
    }

    // Types a frequency into a cell of the channel table as the user does:
    // Enter on the cell opens the editor, Enter stores the text.
    void typeFrequency(int col, int row, const char* text) {
        ChannelGrid* g = form->grid();
        g->setCurrentIndex(form->channels().index(row - 1, col - 1));
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        auto* editor = g->findChild<FrequencyEdit*>(col == 1 ? "receiveEdit" : "transmitEdit");
        ASSERT_FALSE(editor->isHidden());
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(editor->isHidden());
        ASSERT_EQ(cell(col, row), QString::fromLatin1(text));
    }
    void clickCell(int col, int row) {
        ChannelGrid* g = form->grid();
        g->setCurrentIndex(form->channels().index(row - 1, col - 1));
        const QRect r = g->visualRect(form->channels().index(row - 1, col - 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }

    SimOnPort com1{1, Image{}, 0, SimOnPort::Start::Later};
    TransceiverSim& sim = com1.sim();
};

TEST_F(ReadWriteTest, ReadShowsTheImageWithARightOrAWrongChecksum) {
    Image radio = radioImage(rtStationaryVhf);
    radio.setRxCode(7, 40); // 148700
    storeChecksum(radio);
    startWith(omUser, rtVehicleUhf, radio);

    QTest::keyClick(form.get(), Qt::Key_F4);
    EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{{RecordedMessage::Information, kRead}}));
    EXPECT_EQ(sim.received(), kReadBytes);
    EXPECT_EQ(image(), radio);
    EXPECT_EQ(cell(1, 7), QStringLiteral("148700"));
    EXPECT_EQ(form->findChild<QLabel*>("factoryNumberLabel")->text(),
              QStringLiteral("Зав. №: 654321"));
    EXPECT_EQ(form->findChild<QLabel*>("firmwareLabel")->text(), QStringLiteral("Версия ПО: 2.3"));

    // A wrong checksum: accepted without a word.
    messages.clear();
    radio.setRxCode(7, 20); // 148200
    sim.setImage(radio);
    activate();
    readButton();
    EXPECT_TRUE(messages.log.empty());
    EXPECT_EQ(image(), radio);
    EXPECT_EQ(cell(1, 7), QStringLiteral("148200"));

    // No answer: the window keeps what it shows.
    sim.setFaults(SimFaults{.silent = true});
    form->windows().line->exchange().setTimings({20, 10});
    activate();
    readButton();
    EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{{RecordedMessage::Error, kNoConnection}}));
    EXPECT_EQ(image(), radio);
}

TEST_F(ReadWriteTest, WriteSendsTheEditedChannelsOnlyAndASecondWriteSendsNothing) {
    const Image radio = radioImage(rtVehicleVhf);
    startWith(omUser, rtVehicleVhf, radio);
    readAndForget();

    typeFrequency(1, 3, "148500");
    typeFrequency(2, 3, "172000");
    typeFrequency(1, 40, "171200");
    clickCell(5, 4); // "Запрет"
    choose(c().list(SettingId::TxLimit), 3);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(messages.log,
              (std::deque<RecordedMessage>{{RecordedMessage::Information, kWritten}}));

    Image expected = radio;
    expected.setRxCode(3, (148500 - 147700) / 25);
    expected.setTxCode(3, (172000 - 147700) / 25);
    expected.channel(3).setTxOff(false); // was "Откл"
    expected.setRxCode(40, (171200 - 147700) / 25);
    expected.channel(4).setProhibited(true);
    expected.set(map::TxLimit, 3);
    storeChecksum(expected);
    EXPECT_EQ(sim.image(), expected);
    EXPECT_EQ(sim.received(), concat({kReadBytes, writeBytes(radio, expected), kReadBytes}));
    for (const SimRecord& r : sim.records())
        EXPECT_TRUE(r.valid && r.applied);
    EXPECT_EQ(image().checksum(), expected.checksum());

    // Nothing edited since: only the read goes out.
    messages.clear();
    sim.clearLog();
    activate();
    writeButton();
    EXPECT_EQ(messages.log,
              (std::deque<RecordedMessage>{{RecordedMessage::Information, kAlready}}));
    EXPECT_EQ(sim.received(), kReadBytes);
    EXPECT_EQ(sim.image(), expected);
}

TEST_F(ReadWriteTest, BandOfTheTransceiverMustMatchTheImage) {
    const struct {
        RadioType window;
        Image radio;
        const char* text;
    } cases[] = {
        {rtVehicleUhf, radioImage(rtStationaryVhf),
         "Приемопередатчик предназначен для метрового диапазона"},
        {rtRepeaterVhf, radioImage(rtVehicleUhf),
         "Приемопередатчик предназначен для дециметрового диапазона"},
    };
    for (const auto& t : cases) {
        startWith(omUser, t.window, t.radio);
        sim.clearLog();
        writeButton();
        EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{
                                    {RecordedMessage::Error, QString::fromUtf8(t.text)}}));
        EXPECT_EQ(sim.received(), kReadBytes);
        EXPECT_EQ(sim.image(), t.radio);
        sim.stop();
    }
}

TEST_F(ReadWriteTest, PowerLockForcesTheVehicleSetAndRefusesTheOther) {
    const struct {
        OperatingMode mode;
        RadioType type;
        const char* refusal;
    } cases[] = {
        {omUser, rtStationaryVhf,
         "Радиостанция \"Тарвен-52\" не может быть запрограммирована в режим \"5-20-40 Вт\""},
        {omService, rtStationaryVhf,
         "Радиостанция \"Тарвен-52\" не может быть запрограммирована в режим \"5-20-40 Вт\""},
        {omUser, rtStationaryUhf,
         "Радиостанция \"Тарвен-62\" не может быть запрограммирована в режим \"5-20-30 Вт\""},
        {omService, rtStationaryUhf,
         "Радиостанция \"Тарвен-62\" не может быть запрограммирована в режим \"5-20-30 Вт\""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.refusal);
        const Image radio = radioImage(t.type);
        ASSERT_FALSE(radio.get(map::PowerSet));
        startWith(t.mode, t.type, radio, 0x20);
        readAndForget();
        EXPECT_TRUE(image().get(map::PowerSet));
        EXPECT_EQ(c().list(SettingId::PowerLevels)->currentIndex(), 0);
        const QString range = QString::fromStdString(DiapTxt(RsType(image()), t.mode).text);
        EXPECT_EQ(form->rangeLabel()->text(), t.mode == omService ? range + kLockSuffix : range);

        choose(c().list(SettingId::PowerLevels), 1);
        writeButton();
        EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{
                                    {RecordedMessage::Error, QString::fromUtf8(t.refusal)}}));
        EXPECT_EQ(sim.received(), kReadBytes);
        EXPECT_EQ(sim.image(), radio);

        // The forced set is what the write sends.
        messages.clear();
        choose(c().list(SettingId::PowerLevels), 0);
        activate();
        writeButton();
        EXPECT_EQ(messages.texts(), QStringList{kWritten});
        EXPECT_TRUE(sim.image().get(map::PowerSet));
        sim.stop();
    }
}

TEST_F(ReadWriteTest, ReceiveToneIsWrittenAndByte230Never) {
    // Service mode with the factory number box ticked widens the writable
    // offsets; 230 stays protected all the same.
    for (OperatingMode mode : {omUser, omService}) {
        SCOPED_TRACE(mode);
        Image radio = defaultImage(rtVehicleVhf);
        radio.set(map::RxTone, 660); // standby reception on
        radio = radioImage(radio, mode);
        startWith(mode, rtVehicleVhf, radio);
        form->windows().factoryNumberDialog->allowChangeBox->setChecked(true);
        readAndForget();
        ASSERT_TRUE(c().standby->isChecked());

        editImage([](Image& im) { im[230] = 0x11; }); // as the raw editor would
        c().rxTone->selectAll();
        QTest::keyClicks(c().rxTone, "840");
        writeButton();
        EXPECT_EQ(messages.texts(), QStringList{kWritten});
        Image expected = radio;
        expected.set(map::RxTone, 840);
        const auto detector = detectorCoefficients(840);
        std::copy(detector.begin(), detector.end(), &expected[map::Detector.offset]);
        storeChecksum(expected);
        EXPECT_EQ(sim.image(), expected);
        const Bytes received = sim.received();
        EXPECT_EQ(received, concat({kReadBytes, writeBytes(radio, expected), kReadBytes}));
        // 231 is among the records, 230 is not.
        bool wrote231 = false;
        for (const SimRecord& r : sim.records()) {
            EXPECT_NE(r.offset, 230);
            wrote231 = wrote231 || (r.offset == 231 && r.value == 34);
        }
        EXPECT_TRUE(wrote231);
        sim.stop();
    }
}

TEST_F(ReadWriteTest, FactoryNumberIsWrittenInServiceModeWithTheBoxTickedOnly) {
    const Image radio = radioImage(rtVehicleUhf, 654321);
    startWith(omService, rtVehicleUhf, radio);
    readAndForget();
    FactoryNumberDialog* sn = form->windows().factoryNumberDialog;

    // Ticked: the new number goes out, the band nibble stays.
    whenShown(sn, [&] {
        QTest::mouseClick(sn->allowChangeBox, Qt::LeftButton);
        sn->numberEdit->selectAll();
        QTest::keyClicks(sn->numberEdit, "999999");
        QTest::keyClick(sn->numberEdit, Qt::Key_Return);
    });
    QTest::mouseClick(form->findChild<QLabel*>("factoryNumberLabel"), Qt::LeftButton);
    EXPECT_EQ(form->findChild<QLabel*>("factoryNumberLabel")->text(),
              QStringLiteral("Зав. №: 999999"));
    activate();
    writeButton();
    EXPECT_EQ(messages.texts(), QStringList{kWritten});
    Image expected = radio;
    expected[226] = 0x3F;
    expected[227] = 0x42;
    expected[228] = 0xF2;
    storeChecksum(expected);
    EXPECT_EQ(sim.image(), expected);
    EXPECT_EQ(sim.received(), concat({kReadBytes, writeBytes(radio, expected, true), kReadBytes}));
    ASSERT_EQ(sim.records().size(), 4u);

    // Unticked: another number stays in the window, the transceiver keeps its own.
    messages.clear();
    whenShown(sn, [&] {
        QTest::mouseClick(sn->allowChangeBox, Qt::LeftButton);
        QTest::keyClick(sn->okButton, Qt::Key_Escape);
    });
    sn->askForNumber();
    EXPECT_FALSE(form->numberChangeAllowed());
    editImage([&](Image& im) { ZnToBuf(123, im); });
    form->refreshFromImage();
    sim.clearLog();
    activate();
    writeButton();
    EXPECT_EQ(messages.texts(), QStringList{kAlready});
    EXPECT_EQ(sim.received(), kReadBytes);
    EXPECT_EQ(sim.image(), expected);
}

TEST_F(ReadWriteTest, FactoryNumberIsProtectedInUserMode) {
    const Image radio = radioImage(rtVehicleVhf, 654321);
    startWith(omUser, rtVehicleVhf, radio);
    readAndForget();
    form->windows().factoryNumberDialog->allowChangeBox->setChecked(
        true); // cannot count outside service mode
    editImage([](Image& im) { ZnToBuf(123, im); });
    choose(c().list(SettingId::TxLimit), 2);
    writeButton();
    EXPECT_EQ(messages.texts(), QStringList{kWritten});
    Image expected = radio;
    expected.set(map::TxLimit, 2);
    storeChecksum(expected);
    EXPECT_EQ(sim.image(), expected);
    EXPECT_EQ(sim.received(), concat({kReadBytes, writeBytes(radio, expected), kReadBytes}));
    // The window's checksum is the transceiver's, not that of its own number.
    EXPECT_EQ(image().checksum(), expected.checksum());
}

TEST_F(ReadWriteTest, TransceiverThatStopsAnsweringMidWrite) {
    const Image radio = radioImage(rtVehicleVhf);
    startWith(omUser, rtVehicleVhf, radio);
    readAndForget();
    choose(c().list(SettingId::TxLimit), 4);
    choose(c().list(SettingId::ShpListen), 0);
    sim.setFaults(SimFaults{.unackedRecord = 1, .unackedTimes = -1});
    writeButton();
    EXPECT_EQ(messages.log, (std::deque<RecordedMessage>{{RecordedMessage::Error, kNoConnection}}));
    // The first record took, the second went out six times, nothing followed.
    const std::vector<SimRecord> records = sim.records();
    ASSERT_EQ(records.size(), 7u);
    EXPECT_TRUE(records[0].applied);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_FALSE(records[i].acknowledged);
        EXPECT_EQ(records[i].offset, records[1].offset);
    }
    const Bytes received = sim.received();
    ASSERT_GE(received.size(), 5u);
    EXPECT_EQ(Bytes(received.begin(), received.begin() + 5), kReadBytes);
    EXPECT_EQ(received.size(), 5u + 2u + 7u * 4u);
    EXPECT_EQ(sim.image().get(map::TxLimit), 4);
}

TEST_F(ReadWriteTest, VerificationThatFindsADifference) {
    const Image radio = radioImage(rtVehicleVhf);
    startWith(omUser, rtVehicleVhf, radio);
    readAndForget();
    typeFrequency(1, 1, "148975");
    sim.setFaults(SimFaults{.unappliedRecord = 0});
    writeButton();
    EXPECT_EQ(messages.log,
              (std::deque<RecordedMessage>{
                  {RecordedMessage::Error, QStringLiteral("Ошибка записи данных!")}}));
    const std::vector<SimRecord> records = sim.records();
    ASSERT_FALSE(records.empty());
    EXPECT_TRUE(records[0].acknowledged);
    EXPECT_FALSE(records[0].applied);
    EXPECT_NE(sim.image().rxCode(1), (148975 - 147700) / 25);
    const Bytes received = sim.received();
    EXPECT_EQ(Bytes(received.end() - 5, received.end()), kReadBytes); // the verifying read
}

} // namespace
} // namespace ksv::test
