// "Запись серии" through the main window: the fleet loop against the
// simulator in fleet mode, driven from the series window on the window's
// open port; its table, log, backups and cards; stopping and closing between
// steps; the main window's image left as the store made it.
#include "form_fixture.h"
#include "image/checksum.h"
#include "image/defaults.h"
#include "operations/outcome_words.h"
#include "support/scratch_folder.h"
#include "support/sim_on_port.h"
#include "ui/dialogs/desktop.h"
#include "ui/main/file_commands.h"
#include "ui/series/series_dialog.h"
#include "ui/series/series_table.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace ksv::test {
namespace {

struct FolderAnswer final : FileDialogs {
    QString answer;
    QStringList proposals;
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&) override { return {}; }
    QString folderName(QWidget*, const QString& proposed) override {
        proposals << proposed;
        return answer;
    }
};

struct DesktopRecorder final : Desktop {
    DesktopRecorder() { setDesktop(this); }
    ~DesktopRecorder() override { setDesktop(nullptr); }
    void beep() override { ++beeps; }
    bool openFolder(const QString& path) override { return opened << path, true; }
    int beeps = 0;
    QStringList opened;
};

// Counts how often a window is shown.
struct ShowCounter final : QObject {
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        shows += e->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

// Runs act from the event loop once done() holds; after 20 s the test fails
// and the modal window is closed.
void when(std::function<bool()> done, std::function<void()> act) {
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        const bool late = clock->elapsed() > 20000;
        if (!late && !done())
            return;
        timer->stop();
        timer->deleteLater();
        if (!late)
            return act();
        ADD_FAILURE() << "timed out";
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    timer->start(5);
}

Image numbered(Image im, std::uint32_t number, int flippedByte = -1) {
    ZnToBuf(number, im);
    if (flippedByte >= 0)
        im[flippedByte] ^= 0x01;
    im.setChecksum(CalcCRC(im));
    return im;
}

// The default metre-band image as the window stores it at start-up.
Image windowImage() {
    Image im = defaultImage(rtVehicleVhf);
    MainWindow window(omUser);
    window.showImage(im);
    window.commitEdits();
    im = window.currentImage();
    return im;
}

QStringList logRows(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

class SeriesTest : public FormTest, protected ScratchFolder {
protected:
    void startWith(const std::vector<SimSet>& sets) {
        com1->setFleet(sets);
        com1->start();
        start(omUser, rtVehicleVhf);
        form->windows().line->exchange().setTimings({100, 10});
        ASSERT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM1"));
        dialogs = new FolderAnswer;
        dialogs->answer = path(QStringLiteral("серия"));
        form->windows().files =
            std::make_shared<FileCommands>(*form, std::unique_ptr<FileDialogs>(dialogs));
        form->setFileInUse(put("шаблон.ust", bytesOf(plan)));
        ASSERT_EQ(image(), plan);
        form->windows().exchangeWindow->installEventFilter(&progressWindow);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    SeriesDialog* series() const { return form->findChild<SeriesDialog*>(); }
    template <class T> T* widget(const char* name) const { return series()->findChild<T*>(name); }
    QString status() const { return widget<QLabel>("SeriesStatus")->text(); }
    void click(const char* name) { widget<QPushButton>(name)->click(); }
    SeriesTable* table() const { return series()->findChild<SeriesTable*>(); }
    // Shift+F5 opens the window; `inside` runs once it is shown.
    void openSeries(std::function<void()> inside) {
        when([this] { return series() && series()->isVisible(); }, inside);
        QTest::keyClick(form.get(), Qt::Key_F5, Qt::ShiftModifier);
    }
    // Every row of the table: its cells, and whether it stands out.
    void keepTable() {
        for (int row = 0; row < table()->rowCount(); ++row) {
            QStringList cells;
            for (int c = 0; c < SeriesTable::ColumnCount; ++c)
                cells << table()->text(row, SeriesTable::Column(c));
            rows.push_back(cells);
            marked.push_back(table()->item(row, 0)->background().style() != Qt::NoBrush);
        }
    }

    const Image plan = windowImage();
    SimOnPort com1{1, Image{}, 0, SimOnPort::Start::Later};
    FolderAnswer* dialogs = nullptr;
    DesktopRecorder desktop;
    ShowCounter progressWindow;
    std::vector<QStringList> rows;
    std::vector<bool> marked;
};

TEST_F(SeriesTest, ThreeSetsWrittenAlreadyHoldingAndOfTheOtherBand) {
    const std::vector<SimSet> sets = {{numbered(defaultImage(rtVehicleVhf), 100001, 17), 0, {}},
                                      {numbered(plan, 100002), 0, {}},
                                      {numbered(defaultImage(rtVehicleUhf), 100003), 0, {}}};
    startWith(sets);
    QString proposed, source, counts;
    openSeries([&] {
        proposed = widget<QLineEdit>("SeriesFolder")->text();
        source = widget<QLabel>("SeriesSource")->text();
        click("ChooseFolder");
        widget<QCheckBox>("CardsBox")->setChecked(true);
        QTest::keyClick(series(), Qt::Key_Return); // «Начать» is the default button
        when([this] { return table()->rowCount() == 3 && status() == "Подключите радиостанцию…"; },
             [&] {
                 click("StartButton"); // «Остановить»
                 when([this] { return !series()->running(); },
                      [&] {
                          EXPECT_EQ(status(), QStringLiteral("Серия остановлена"));
                          EXPECT_EQ(widget<QPushButton>("StartButton")->text(),
                                    QStringLiteral("Начать"));
                          keepTable();
                          counts = widget<QLabel>("SeriesCounts")->text();
                          click("OpenFolderButton");
                          click("CloseButton");
                      });
             });
    });
    const QRegularExpression named(
        QStringLiteral("KSV717N.Серия \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d$"));
    EXPECT_TRUE(named.match(proposed).hasMatch()) << proposed.toStdString();
    EXPECT_EQ(dialogs->proposals, QStringList{QDir::fromNativeSeparators(proposed)});
    EXPECT_EQ(source, QStringLiteral("Тарвен-52, файл шаблон.ust"));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(desktop.beeps, 3);
    EXPECT_EQ(desktop.opened, QStringList{path(QStringLiteral("серия"))});
    EXPECT_EQ(image(), plan); // the window keeps the settings it wrote
    EXPECT_EQ(counts, QStringLiteral("Итого радиостанций: 3\nзаписано: 1, уже записано: 1, "
                                     "отказ: 1, нет соединения: 0, ошибка проверки: 0, запись "
                                     "прервана: 0, карт не записано: 0"));

    const QStringList results = {
        QStringLiteral("записано"), QStringLiteral("уже записано"),
        QStringLiteral("отказ: Приемопередатчик предназначен для дециметрового диапазона")};
    const QStringList log = logRows(path(QStringLiteral("серия/журнал.csv")));
    ASSERT_EQ(log.size(), 4);
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const QString number = QString::number(100001 + i);
        const QStringList& row = rows[i];
        EXPECT_EQ(row.mid(0, 3),
                  (QStringList{QString::number(i + 1), i < 2 ? "Тарвен-52" : "Тарвен-62", number}));
        EXPECT_EQ(row[SeriesTable::Result], results[i]);
        EXPECT_EQ(row[SeriesTable::Bytes] != "0", i == 0);
        EXPECT_EQ(marked[i], i == 2);
        const QString port = QStringLiteral("COM1 (%1)").arg(com1->devicePath().c_str());
        EXPECT_EQ(log[i + 1].split(';').mid(1, 7),
                  (QStringList{port, row[1], number, row[3], results[i], row[5], "шаблон.ust"}));
        const QStringList backups =
            QDir(path(QStringLiteral("серия/копии"))).entryList({number + "-*.ust"});
        ASSERT_EQ(backups.size(), 1);
        EXPECT_EQ(contentOf(path("серия/копии/" + backups[0])), bytesOf(sets[i].image));
        EXPECT_EQ(QFile::exists(path("серия/карты/" + number + ".pdf")), i < 2);
    }
    const std::vector<Image> now = com1->fleetImages();
    EXPECT_EQ(now[1], sets[1].image);
    EXPECT_EQ(now[2], sets[2].image);
    for (const SimRecord& r : com1->records())
        EXPECT_EQ(r.set, 0);

    // The series showed its exchanges itself; F4 has its progress window again.
    EXPECT_EQ(progressWindow.shows, 0);
    form->readRadio();
    EXPECT_EQ(progressWindow.shows, 1);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Нет соединения")});
}

// A folder that cannot be made starts nothing; closing the window while a
// set is written waits for that write, which is logged, and serves no other set.
TEST_F(SeriesTest, ClosingDuringAWriteWaitsForIt) {
    Image differing = plan;
    for (int offset = 16; offset < 76; ++offset)
        differing[offset] ^= 0x01;
    const std::vector<SimSet> sets = {{numbered(differing, 200001), 0, {}},
                                      {numbered(plan, 200002), 0, {}}};
    com1->setRecordDelay(std::chrono::milliseconds(15));
    startWith(sets);
    put("шаблон.ust", bytesOf(differing)); // the file no longer holds the window's settings
    dialogs->answer = put(QStringLiteral("файл"), "not a folder");
    QStringList seen;
    bool openAfterClose = false;
    openSeries([&] {
        click("ChooseFolder");
        click("StartButton");
        when([&] { return !messages.log.empty(); },
             [&] {
                 EXPECT_TRUE(com1->received().empty());
                 dialogs->answer = path(QStringLiteral("серия"));
                 click("ChooseFolder");
                 click("StartButton");
                 when([&] { return status() == "Запись…"; },
                      [&] {
                          seen << widget<QLabel>("SetHeading")->text()
                               << widget<QPushButton>("StartButton")->text();
                          click("CloseButton");
                          openAfterClose = series()->isVisible();
                          seen << status();
                      });
             });
    });
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("Папка %1/копии не создана").arg(path("файл"))});
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Радиостанция 1: Тарвен-52, зав. № 200001, версия "
                                                "ПО ") +
                                     QString::fromStdString(VerTxt(plan)),
                                 QStringLiteral("Остановить"),
                                 QStringLiteral("Остановка после текущего шага…")}));
    EXPECT_TRUE(openAfterClose);
    const QStringList log = logRows(path(QStringLiteral("серия/журнал.csv")));
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0].split(';')[8], QStringLiteral("SHA-256 установок окна"));
    EXPECT_EQ(log[1].split(';')[5], QStringLiteral("записано"));
    EXPECT_EQ(log[1].split(';')[7], QStringLiteral("установки окна"));
    const std::vector<Image> now = com1->fleetImages();
    for (int offset = 16; offset < 76; ++offset)
        EXPECT_EQ(now[0][offset], plan[offset]) << offset;
    EXPECT_EQ(now[1], sets[1].image);
    EXPECT_EQ(progressWindow.shows, 0);
}

TEST(SeriesTable, RowsThatNeedAttentionStandOutAndACutOffNamesTheOriginal) {
    const struct {
        FleetResult result;
        const char* cardError;
        SeriesAttention attention;
    } cases[] = {{FleetResult::Written, "", SeriesAttention::None},
                 {FleetResult::AlreadyWritten, "", SeriesAttention::None},
                 {FleetResult::Written, "диск полон", SeriesAttention::Notice},
                 {FleetResult::Refused, "", SeriesAttention::Notice},
                 {FleetResult::NoConnection, "", SeriesAttention::Notice},
                 {FleetResult::VerifyFailed, "", SeriesAttention::Warning},
                 {FleetResult::WriteCutOff, "", SeriesAttention::Warning}};
    SeriesTable table;
    for (const auto& c : cases) {
        FleetSetRecord record;
        record.report.result = c.result;
        record.cardError = QString::fromUtf8(c.cardError);
        record.keptPath = QStringLiteral("/копии/200003-1.ust");
        const int row = table.rowCount();
        table.addRecord(row + 1, record);
        EXPECT_EQ(seriesAttention(record), c.attention) << row;
        EXPECT_EQ(table.item(row, 0)->background().style() != Qt::NoBrush,
                  c.attention != SeriesAttention::None);
        EXPECT_EQ(table.text(row, SeriesTable::Result), fleetResultText(c.result));
    }
    EXPECT_EQ(table.item(6, SeriesTable::Note)->toolTip(),
              QStringLiteral("Подключите эту радиостанцию снова: программа закончит запись. Её "
                             "исходные установки — в файле /копии/200003-1.ust"));
}

// The file the status bar names is named only while the window holds its bytes.
TEST(SeriesPlan, TheFileIsNamedOnlyWhileTheWindowHoldsItsBytes) {
    ScratchFolder files;
    const Image saved = windowImage();
    const QString file = files.put("шаблон.ust", ScratchFolder::bytesOf(saved));
    const Image edited = numbered(saved, 7);
    const struct {
        Image image;
        QString shown;
        const char* text;
        const char* logName;
    } cases[] = {
        {saved, file, "Тарвен-52, файл шаблон.ust", "шаблон.ust"},
        {edited, file, "Тарвен-52, установки окна", "установки окна"},
        {saved, files.path("нет.ust"), "Тарвен-52, установки окна", "установки окна"},
        {saved, QString(), "Тарвен-52, установки окна", "установки окна"},
    };
    for (const auto& c : cases) {
        const SeriesSource source = seriesSource(c.image, c.shown, "COM1", omUser);
        EXPECT_EQ(seriesSourceText(source), QString::fromUtf8(c.text));
        EXPECT_EQ(seriesPlan(source, files.path("серия"), false).fileName,
                  QString::fromUtf8(c.logName));
    }
}

TEST(SeriesPlan, FolderIsNamedByTimeAndNeverOneThatExists) {
    QTemporaryDir docs;
    const QDateTime when(QDate(2026, 12, 8), QTime(14, 5));
    const QString first = docs.filePath(QStringLiteral("KSV717N/Серия 2026-12-08 14-05"));
    EXPECT_EQ(proposedSeriesFolder(docs.path(), when), first);
    ASSERT_TRUE(QDir().mkpath(first));
    EXPECT_EQ(proposedSeriesFolder(docs.path(), when), first + QStringLiteral(" (2)"));
}

} // namespace
} // namespace ksv::test
