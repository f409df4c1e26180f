#pragma once

// The print preview window: both sheets of the programming card at 0.8 of
// the A4 grid, or one landscape page with both at 0.6, and printing through
// the platform's print dialog.

#include "print/card_data.h"
#include "print/page_writer.h"
#include "print/print_fonts.h"
#include "ui/printing/card_printer.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace ksv::print {

class SheetImage;

class TPrintForm final : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr);
    ~TPrintForm() override;

    // Shows the preview of card modally; returns true once it is closed.
    bool ShowPrint(const CardData& card);

    // The card shown by the next showing (ShowPrint sets it itself).
    void setCard(const CardData& card) { card_ = card; }

    // Runs the print dialog on printer; true when the user chose to print.
    // Replaceable so that tests need no real dialog.
    using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;
    void setPrintDialogRunner(PrintDialogRunner runner) { runDialog_ = std::move(runner); }

    const PageWriter& pageWriter() const { return writer_; }

    // The controls, under the names the rest of the program uses for them.
    QScrollArea* ScrollBox1 = nullptr;
    SheetImage* PrintPanel = nullptr;  // sheet 1 at 0.8
    SheetImage* PrintPanel1 = nullptr; // sheet 2 at 0.8
    SheetImage* PrintPanel2 = nullptr; // both sheets at 0.6
    QCheckBox* CheckBox1 = nullptr;    // "Разместить на 1 листе"
    QPushButton* Button1 = nullptr;    // "Печать"
    QPushButton* Button2 = nullptr;    // "Выход"

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void MakeView();
    void CheckBox1Click();
    void ScrollBox1Click();
    void Button1Click();
    void Button2Click();
    void layoutControls();
    void resizeContent();

    CardData card_;
    PrintFonts fonts_; // DosFont and WinFont
    PageWriter writer_;
    PrintDialogRunner runDialog_;
    // PrintDialog1's printer, kept for the window's life: the print dialog
    // offers the printer, copies and options chosen last time.
    std::unique_ptr<QPrinter> printer_;
    QWidget* content_ = nullptr;
    bool centred_ = false;
};

} // namespace ksv::print
