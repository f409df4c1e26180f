#include "print/card_printing.h"

#include "print/card_composer.h"
#include "print/painter_canvas.h"

#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace ksv::print {

namespace {
constexpr double kTwoPageScale = 0.8;
constexpr double kOnePageScale = 0.65;
} // namespace

bool drawPrintedCard(const CardData& data, CardLayout layout, PageWriter& writer, Canvas& canvas,
                     const std::function<bool()>& newPage, CardSheets sheets) {
    CardComposer composer(data, writer);
    if (layout == CardLayout::OnePage) {
        writer.Scale = kOnePageScale;
        composer.DrawList1(canvas, 0, 0);
        composer.DrawList2(canvas, 80, 0);
        return true;
    }
    writer.Scale = kTwoPageScale;
    if (sheets.first <= 1)
        composer.DrawList1(canvas, 1, 1);
    if (sheets.last < 2)
        return true;
    if (sheets.first <= 1 && !newPage())
        return false;
    composer.DrawList2(canvas, 1, 1);
    return true;
}

PrintResult paintCard(QPagedPaintDevice& device, const CardData& data, CardLayout layout,
                      const PrintFonts& fonts, CardSheets sheets) {
    // The orientation is set here, after any print dialog, and wins over
    // what was chosen there.
    device.setPageOrientation(layout == CardLayout::OnePage ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
    if (!fonts.isValid())
        return PrintResult::NoFonts;
    QPainter painter;
    if (!painter.begin(&device))
        return PrintResult::BeginFailed;
    // Glyphs go to the page as they are: no lossy image compression.
    painter.setRenderHint(QPainter::LosslessImageRendering);

    PageWriter writer;
    writer.setResolution(device.logicalDpiX(), device.logicalDpiY());
    PainterCanvas canvas(painter, fonts);
    if (!drawPrintedCard(
            data, layout, writer, canvas, [&] { return device.newPage(); }, sheets)) {
        painter.end();
        return PrintResult::NewPageFailed;
    }
    return painter.end() ? PrintResult::Printed : PrintResult::EndFailed;
}

QString printErrorText(PrintResult result) {
    switch (result) {
    case PrintResult::Printed:
        return {};
    case PrintResult::NoFonts:
        return QStringLiteral("Ошибка печати: шрифты карты программирования не загружены");
    case PrintResult::BeginFailed:
        return QStringLiteral("Ошибка печати: принтер не начал печать");
    case PrintResult::NewPageFailed:
        return QStringLiteral("Ошибка печати: принтер не начал вторую страницу");
    case PrintResult::EndFailed:
        return QStringLiteral("Ошибка печати: задание не передано принтеру");
    }
    return {};
}

namespace {

// A4 at the resolution of the fonts' print size, with a printable area like
// that of an office printer.
PrintResult paintPdf(QPdfWriter& pdf, const CardData& data, CardLayout layout) {
    pdf.setResolution(1200);
    pdf.setTitle(data.factoryNumber);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    const PrintFonts fonts;
    return paintCard(pdf, data, layout, fonts);
}

} // namespace

bool renderCardPdf(const CardData& data, const QString& path, CardLayout layout, QString* error) {
    QPdfWriter pdf(path);
    const PrintResult result = paintPdf(pdf, data, layout);
    if (result == PrintResult::Printed)
        return true;
    if (error)
        *error = result == PrintResult::BeginFailed
                     ? QStringLiteral("Файл %1 не записан").arg(QDir::toNativeSeparators(path))
                     : printErrorText(result);
    return false;
}

QByteArray renderCardPdfData(const CardData& data, CardLayout layout, QString* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PrintResult result;
    {
        QPdfWriter pdf(&buffer);
        result = paintPdf(pdf, data, layout);
    }
    if (result == PrintResult::Printed && !buffer.data().isEmpty())
        return buffer.data();
    if (error)
        *error = printErrorText(result == PrintResult::Printed ? PrintResult::EndFailed : result);
    return {};
}

} // namespace ksv::print
