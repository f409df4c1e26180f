// The preview window, run offscreen: layout, the click that switches the
// layout, Escape and the print command with its dialog replaced.

#include "print/preview_geometry.h"
#include "support/message_recorder.h"
#include "ui/dialogs/messages.h"
#include "ui/printing/card_printer.h"
#include "ui/printing/print_preview.h"
#include "ui/printing/sheet_image.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace ksv::print;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "print_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* a = qApp ? nullptr : new QApplication(argc, argv);
    (void)a;
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

CardData sampleCard() {
    CardData d;
    d.fileField = "Файл: /home/radio/cars.ust";
    d.date = "07.12.2025";
    d.group1First = 0;
    d.group1Last = 4;
    d.group2First = 20;
    d.group2Last = 22;
    for (int i = 0; i < kCardChannels; ++i)
        d.channels[i] = {QString::number(148000 + 25 * i),
                         QString::number(171150 + 25 * i),
                         "67.0",
                         i % 3 ? "Откл" : "100.0",
                         i % 4 ? "" : "Запрет",
                         i % 2 ? "S" : "",
                         i % 5 ? "" : "L"};
    d.group1FirstText = "1";
    d.group1LastText = "5";
    d.group2FirstText = "21";
    d.group2LastText = "23";
    d.shpListen = "Да";
    d.txLimit = "Не ограничено";
    d.subtoneCancel = "Нет";
    d.powerLevels = "5-10-20 (Возимая)";
    d.resumeDelay = "3";
    d.carrierTime = "150";
    d.scanTransmit = 2;
    d.priorityChannel = "2";
    d.priorityPeriod = "1,5";
    d.tones = true;
    d.toneShown = {true, true, true, false, false};
    d.toneHz = {2100, 1450, 1000, 3000, 3000};
    d.toneDuration = "2";
    d.standby = true;
    d.rxToneHz = 1450;
    d.audioHold = "10";
    d.factoryNumber = "012345";
    d.firmware = "1.1";
    d.scrambler = "09ЛС400-07Б";
    return d;
}

int countPages(const QByteArray& pdf) {
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>") +
               pdf.count("/Type /Page "));
}

// Saves what the lead should look at when KSV_SHOTS_DIR names a folder.
QString shotPath(const char* name) {
    const QString dir = qEnvironmentVariable("KSV_SHOTS_DIR");
    return dir.isEmpty() ? QString() : QDir(dir).filePath(QString::fromUtf8(name));
}

// Creates the application before any widget of the fixture.
struct WithApplication {
    WithApplication() { app(); }
};

class PrintPreviewTest : public ::testing::Test, private WithApplication {
protected:
    void SetUp() override {
        form.setCard(sampleCard());
        form.setPrinterCheck([] { return true; });
    }
    PrintPreview form;
};

} // namespace

TEST_F(PrintPreviewTest, LayoutOfTheWindow) {
    EXPECT_EQ(form.windowTitle(), "Программа KSV717N");
    EXPECT_EQ(form.size(), QSize(610, 410));
    EXPECT_EQ(form.onePageBox->text(), "Разместить на 1 листе");
    EXPECT_FALSE(form.onePageBox->isChecked());
    EXPECT_EQ(form.printButton->text(), "Печать");
    EXPECT_EQ(form.exitButton->text(), "Выход");
    EXPECT_EQ(form.sheetScroll->geometry(), QRect(0, 0, 610, 362));
    EXPECT_EQ(form.onePageBox->pos(), QPoint(16, 384));
    EXPECT_EQ(form.printButton->geometry(), QRect(450, 378, 75, 25));
    EXPECT_EQ(form.exitButton->geometry(), QRect(530, 378, 75, 25));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);

    // The scroll area follows the window; the controls keep their distance
    // to the bottom and to their side.
    form.show();
    form.resize(800, 600);
    EXPECT_EQ(form.sheetScroll->geometry(), QRect(0, 0, 800, 552));
    EXPECT_EQ(form.onePageBox->pos(), QPoint(16, 574));
    EXPECT_EQ(form.printButton->pos(), QPoint(640, 568));
    EXPECT_EQ(form.exitButton->pos(), QPoint(720, 568));
}

// The sheets' size at a zoom: the preview geometry scaled.
QSize zoomedSize(const QRect& r, double zoom) {
    return QSize(qRound(r.width() * zoom), qRound(r.height() * zoom));
}

int darkPixels(const QImage& img) {
    int n = 0;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x)
            n += qGray(img.pixel(x, y)) < 128;
    return n;
}

TEST_F(PrintPreviewTest, ShowingBuildsThePreviewAndFocusesPrint) {
    form.show();
    EXPECT_EQ(form.focusWidget(), form.printButton);
    // At first a sheet fills the width of the scroll area.
    const PreviewGeometry g = previewGeometry(form.logicalDpiX(), form.logicalDpiY());
    EXPECT_EQ(form.fit(), PrintPreview::Fit::Width);
    const int right = form.sheetScroll->viewport()->width() - 1;
    EXPECT_LE(form.sheet1->geometry().right(), right);
    EXPECT_GE(form.sheet1->geometry().right(), right - 3);
    EXPECT_EQ(form.sheet1->size(), zoomedSize(g.sheet1, form.zoom()));
    EXPECT_EQ(form.sheet2->geometry().left(), 1);
    EXPECT_GT(form.sheet2->geometry().top(), form.sheet1->geometry().bottom());
    EXPECT_TRUE(form.sheet1->isVisibleTo(&form));
    EXPECT_TRUE(form.sheet2->isVisibleTo(&form));
    EXPECT_FALSE(form.bothSheets->isVisibleTo(&form));

    // White page, black frame, and glyphs inside.
    const QImage img = form.sheet1->image();
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(img.width() - 1, img.height() - 1), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_GT(darkPixels(img), 5000);

    // The next showing rebuilds from the current card and focuses "Печать" again.
    form.hide();
    CardData other = sampleCard();
    other.fileField = "Файл: ";
    form.setCard(other);
    form.show();
    EXPECT_EQ(form.focusWidget(), form.printButton);
    EXPECT_NE(form.sheet1->image(), img);
}

// The page follows the window until a zoom is chosen; Ctrl+wheel and the
// buttons zoom; "Лист" puts the whole page into the window.
TEST_F(PrintPreviewTest, ZoomAndAPageThatGrowsWithTheWindow) {
    form.show();
    const int small = form.sheet1->width();
    form.resize(1200, 900); // maximised, say
    EXPECT_GT(form.sheet1->width(), small * 19 / 10);

    const double fitted = form.zoom();
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.sheetScroll->viewport(), &wheel);
    EXPECT_EQ(form.fit(), PrintPreview::Fit::None);
    EXPECT_GT(form.zoom(), fitted);
    const int zoomedWidth = form.sheet1->width();
    form.resize(800, 600);
    EXPECT_EQ(form.sheet1->width(), zoomedWidth); // a chosen zoom stays
    QTest::mouseClick(form.ZoomOut, Qt::LeftButton);
    EXPECT_LT(form.sheet1->width(), zoomedWidth);
    EXPECT_EQ(form.ZoomText->text(), QString("%1 %").arg(qRound(form.zoom() * 100)));

    QTest::mouseClick(form.FitPage, Qt::LeftButton);
    QApplication::processEvents(); // the scroll bars follow
    EXPECT_LE(form.sheet1->geometry().bottom(), form.sheetScroll->viewport()->height() - 1);
    form.onePageBox->setChecked(true); // the landscape page fits as well
    QApplication::processEvents();
    EXPECT_LE(form.bothSheets->geometry().right(), form.sheetScroll->viewport()->width() - 1);
    EXPECT_LE(form.bothSheets->geometry().bottom(), form.sheetScroll->viewport()->height() - 1);
}

// At the size shown first, 148000 and 140000 are told apart: drawn at the
// screen's resolution, an 8 in its 7 x 13 cell differed from a 0 in 3 pixels.
TEST_F(PrintPreviewTest, FiguresAreLegibleAtTheFirstSize) {
    CardData eight = sampleCard(), zero = sampleCard();
    eight.channels[0].rx = "888888";
    zero.channels[0].rx = "000000";
    form.setCard(eight);
    form.show();
    const QImage a = form.sheet1->image();
    form.hide();
    form.setCard(zero);
    form.show();
    const QImage b = form.sheet1->image();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64;
    EXPECT_GE(differing, 6 * 5) << differing; // 5 clear pixels a figure; 3 when drawn small
}

TEST_F(PrintPreviewTest, ClickOnThePreviewSwitchesTheLayout) {
    form.show();
    QTest::mouseClick(form.sheet1, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(form.onePageBox->isChecked());
    EXPECT_FALSE(form.sheet1->isVisibleTo(&form));
    EXPECT_FALSE(form.sheet2->isVisibleTo(&form));
    EXPECT_TRUE(form.bothSheets->isVisibleTo(&form));
    QTest::mouseClick(form.bothSheets, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(form.onePageBox->isChecked());
    EXPECT_TRUE(form.sheet1->isVisibleTo(&form));

    // The free area of the scroll area too, once the window is larger than
    // the page; the right button does nothing.
    form.onePageBox->setChecked(true);
    form.resize(1200, 900);
    QWidget* viewport = form.sheetScroll->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(1100, 800));
    EXPECT_TRUE(form.onePageBox->isChecked());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(1100, 800));
    EXPECT_FALSE(form.onePageBox->isChecked());

    // The layout survives to the next showing.
    form.onePageBox->setChecked(true);
    form.hide();
    form.show();
    EXPECT_TRUE(form.bothSheets->isVisibleTo(&form));
    EXPECT_FALSE(form.sheet1->isVisibleTo(&form));
}

TEST_F(PrintPreviewTest, EscapeClosesOnlyFromPrint) {
    form.show();
    form.onePageBox->setFocus();
    QTest::keyClick(form.onePageBox, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(form.printButton, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());

    form.show();
    QTest::mouseClick(form.exitButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PrintPreviewTest, PrintCommand) {
    ksv::test::MessageRecorder messages;
    QTemporaryDir dir;
    QString chosenFile;
    int dialogs = 0;
    int resolution = 0;
    form.setPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        ++dialogs;
        resolution = printer.resolution();
        if (chosenFile.isEmpty())
            return false; // cancelled
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosenFile);
        printer.setPageOrientation(QPageLayout::Landscape); // overridden for two pages
        return true;
    });
    form.show();

    // Enter on "Печать", which has the focus, prints; on the check box it
    // does not. A cancelled dialog prints nothing and leaves the window open.
    QTest::keyClick(form.printButton, Qt::Key_Return);
    EXPECT_EQ(dialogs, 1);
    EXPECT_GE(resolution, 600); // the printer's own resolution, not the screen's
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(messages.log.empty());
    form.onePageBox->setFocus();
    QTest::keyClick(form.onePageBox, Qt::Key_Return);
    EXPECT_EQ(dialogs, 1);
    form.printButton->setFocus();

    // A printer that cannot start: the window stays open and says so.
    chosenFile = dir.filePath("missing/dir/card.pdf");
    QTest::mouseClick(form.printButton, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(messages.texts(), QStringList{"Ошибка печати: принтер не начал печать"});

    // Two portrait pages, titled with the factory number; then the window closes.
    chosenFile = dir.filePath("two.pdf");
    QTest::mouseClick(form.printButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    QFile two(chosenFile);
    ASSERT_TRUE(two.open(QIODevice::ReadOnly));
    const QByteArray pdf = two.readAll();
    EXPECT_EQ(countPages(pdf), 2);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595.000000 842.000000]"));
    EXPECT_TRUE(pdf.contains(QByteArray("\xFE\xFF\x00"
                                        "0\x00"
                                        "1\x00"
                                        "2\x00"
                                        "3\x00"
                                        "4\x00"
                                        "5",
                                        13)));

    // One landscape page.
    form.show();
    form.onePageBox->setChecked(true);
    chosenFile = dir.filePath("one.pdf");
    QTest::mouseClick(form.printButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    QFile one(chosenFile);
    ASSERT_TRUE(one.open(QIODevice::ReadOnly));
    const QByteArray pdf1 = one.readAll();
    EXPECT_EQ(countPages(pdf1), 1);
    EXPECT_TRUE(pdf1.contains("/MediaBox [0 0 842.000000 595.000000]"));
    EXPECT_EQ(messages.log.size(), 1u);
}

// Without a printer the window says so and offers the card as PDF; the
// print dialog, which could do nothing, is not shown.
TEST_F(PrintPreviewTest, WithoutAPrinterTheCardIsOfferedAsPdf) {
    ksv::test::MessageRecorder messages;
    QTemporaryDir dir;
    form.setPrinterCheck([] { return false; });
    int dialogs = 0;
    form.setPrintDialogRunner([&](QPrinter&, QWidget*) { return ++dialogs, false; });
    QString proposed;
    form.setPdfNameRunner([&](QWidget*, const QString& name) {
        proposed = name;
        return dir.filePath("карта.pdf");
    });
    form.show();
    QTest::mouseClick(form.printButton, Qt::LeftButton); // No
    EXPECT_EQ(messages.texts(),
              QStringList{"Принтер не установлен. Сохранить карту программирования в файл PDF?"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(QFile::exists(dir.filePath("карта.pdf")));

    messages.answers = {true};
    QTest::mouseClick(form.printButton, Qt::LeftButton);
    EXPECT_EQ(proposed, "012345.pdf");
    QFile pdf(dir.filePath("карта.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(countPages(pdf.readAll()), 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(dialogs, 0);
}

// A page range chosen in the print dialog prints those sheets only.
TEST_F(PrintPreviewTest, PageRangePrintsThoseSheets) {
    QTemporaryDir dir;
    form.setPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("2.pdf"));
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 2);
        return true;
    });
    form.show();
    QTest::mouseClick(form.printButton, Qt::LeftButton);
    QFile pdf(dir.filePath("2.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(countPages(pdf.readAll()), 1);
}

// The print dialog offers what was chosen last time: one printer for the
// window's life.
TEST_F(PrintPreviewTest, PrintDialogRemembersTheLastChoice) {
    QTemporaryDir dir;
    QList<QPair<int, QString>> offered;
    form.setPrintDialogRunner([&](QPrinter& printer, QWidget*) {
        offered.append({printer.copyCount(), printer.outputFileName()});
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("card.pdf"));
        printer.setCopyCount(3);
        return true;
    });
    for (int showing = 0; showing < 2; ++showing) {
        form.show();
        QTest::mouseClick(form.printButton, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    }
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[0].first, 1);
    EXPECT_EQ(offered[1], qMakePair(3, dir.filePath("card.pdf")));
}

TEST_F(PrintPreviewTest, PdfWithoutDialog) {
    QTemporaryDir dir;
    QString error;
    const QString two = dir.filePath("two.pdf");
    ASSERT_TRUE(renderCardPdf(sampleCard(), two, CardLayout::TwoPages, &error));
    QFile f(two);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(countPages(f.readAll()), 2);

    EXPECT_FALSE(renderCardPdf(sampleCard(), dir.filePath("no/such/dir/x.pdf"), CardLayout::OnePage,
                               &error));
    EXPECT_EQ(error, "Файл " + dir.filePath("no/such/dir/x.pdf") + " не записан");
}

// Pictures for a reader: the preview in both layouts and the card as PDF.
TEST_F(PrintPreviewTest, Screenshots) {
    const QString preview2 = shotPath("print-preview-two-sheets.png");
    if (preview2.isEmpty())
        GTEST_SKIP() << "set KSV_SHOTS_DIR to save the pictures";
    form.show();
    QApplication::processEvents();
    form.grab().save(preview2);
    form.sheet2->image().save(shotPath("print-preview-sheet2-image.png"));
    form.onePageBox->setChecked(true);
    QApplication::processEvents();
    form.grab().save(shotPath("print-preview-one-sheet.png"));
    EXPECT_TRUE(
        renderCardPdf(sampleCard(), shotPath("print-card-two-pages.pdf"), CardLayout::TwoPages));
    EXPECT_TRUE(
        renderCardPdf(sampleCard(), shotPath("print-card-one-page.pdf"), CardLayout::OnePage));
}
