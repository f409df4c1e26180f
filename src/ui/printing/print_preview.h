#pragma once

// The print preview window: both sheets of the programming card, or one
// landscape page with both, and printing through the platform's print dialog.
// The sheets are drawn at a multiple of the screen's resolution and scaled
// smoothly to the size shown, so that every glyph stays legible; the size
// follows the window (fit to its width, or the whole page) or a zoom chosen
// with the buttons, Ctrl+wheel or Ctrl++ and Ctrl+-.

#include "print/card_data.h"
#include "print/page_writer.h"
#include "print/print_fonts.h"
#include "ui/printing/card_printer.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace ksv::print {

class SheetImage;

class PrintPreview final : public QDialog { // TPrintForm
    Q_OBJECT
public:
    explicit PrintPreview(QWidget* parent = nullptr);
    ~PrintPreview() override;

    // Shows the preview of card modally; returns true once it is closed.
    bool showCard(const CardData& card);

    // The card shown by the next showing (showCard sets it itself).
    void setCard(const CardData& card) { card_ = card; }

    // Runs the print dialog on printer; true when the user chose to print.
    // Replaceable so that tests need no real dialog.
    using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void setPrintDialogRunner(PrintDialogRunner runner) { runDialog_ = std::move(runner); }
    // Whether a printer is installed (by default the system's answer).
    void setPrinterCheck(std::function<bool()> check) { printersPresent_ = std::move(check); }
    // Asks where to save the card as PDF: a path, or "" when cancelled.
    using PdfNameRunner = std::function<QString(QWidget* parent, const QString& proposed)>;
    void setPdfNameRunner(PdfNameRunner runner) { pdfName_ = std::move(runner); }

    const PageWriter& pageWriter() const { return writer_; }

    // How the sheets are sized: to the width of the window, the whole page
    // in the window, or a zoom of its own.
    enum class Fit { Width, Page, None };
    Fit fit() const { return fit_; }
    // 1.0: the sheets at 0.8 of the A4 grid at the screen's resolution.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void setFit(Fit fit);

    // The controls.
    QScrollArea* sheetScroll = nullptr;
    SheetImage* sheet1 = nullptr;
    SheetImage* sheet2 = nullptr;
    SheetImage* bothSheets = nullptr;   // both sheets on a landscape page
    QCheckBox* onePageBox = nullptr;    // "Разместить на 1 листе"
    QPushButton* printButton = nullptr; // "Печать"
    QPushButton* exitButton = nullptr;  // "Выход"
    QToolButton* ZoomOut = nullptr;
    QToolButton* ZoomIn = nullptr;
    QToolButton* FitWidth = nullptr;
    QToolButton* FitPage = nullptr;
    QLabel* ZoomText = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeZoomControls();
    void prepareShowing();
    void drawSheets();
    void showSheets();
    double fittedZoom() const;
    void onePageToggled();
    void togglePageLayout();
    void printOrSave();
    void closePreview();
    void saveAsPdf();
    void layoutControls();
    void resizeContent();

    CardData card_;
    PrintFonts fonts_; // DosFont and WinFont
    PageWriter writer_;
    PrintDialogRunner runDialog_;
    std::function<bool()> printersPresent_;
    PdfNameRunner pdfName_;
    // PrintDialog1's printer, kept for the window's life: the print dialog
    // offers the printer, copies and options chosen last time.
    std::unique_ptr<QPrinter> printer_;
    QWidget* content_ = nullptr;
    bool centred_ = false;
    // The sheets as drawn at the oversampled resolution, before scaling.
    QImage drawn1_, drawn2_, drawnBoth_;
    Fit fit_ = Fit::Width;
    double zoom_ = 1.0;
};

} // namespace ksv::print
