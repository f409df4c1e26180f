#include "ui/printing/print_preview.h"

#include "print/card_composer.h"
#include "print/painter_canvas.h"
#include "print/preview_geometry.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/dialogs/messages.h"
#include "ui/printing/sheet_image.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

namespace ksv::print {

namespace {

constexpr int kClientW = 610;
constexpr int kClientH = 410;
constexpr int kBottomStrip = 48; // below the scroll area

// A sheet as drawn, scaled smoothly to the size shown and framed by a
// one-pixel black rectangle.
QImage shownSheet(const QImage& drawn, QSize size) {
    QImage img = drawn.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return img;
}

QRect zoomed(const QRect& r, double zoom) {
    return QRect(r.topLeft(), QSize(qRound(r.width() * zoom), qRound(r.height() * zoom)));
}

QToolButton* zoomButton(QWidget* parent, const char* name, const QString& text,
                        const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus); // the keyboard stays with the Part's controls
    b->setAutoRaise(true);
    return b;
}

} // namespace

PrintPreview::PrintPreview(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      printersPresent_([] { return !QPrinterInfo::availablePrinterNames().isEmpty(); }),
      pdfName_(pdfFileName), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The page range offered is that of the card: sheets 1 and 2, or one page.
    runDialog_ = [this](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setMinMax(1, onePageBox->isChecked() ? 1 : 2);
        return dialog.exec() == QDialog::Accepted;
    };
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setModal(true);

    sheetScroll = new QScrollArea(this);
    sheetScroll->setObjectName(QStringLiteral("sheetScroll"));
    sheetScroll->setWidgetResizable(false);
    sheetScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sheetScroll->setFocusPolicy(Qt::NoFocus);
    content_ = new QWidget;
    content_->setAutoFillBackground(false);
    sheet1 = new SheetImage(content_);
    sheet2 = new SheetImage(content_);
    bothSheets = new SheetImage(content_);
    sheet1->setObjectName(QStringLiteral("sheet1"));
    sheet2->setObjectName(QStringLiteral("sheet2"));
    bothSheets->setObjectName(QStringLiteral("bothSheets"));
    bothSheets->hide();
    sheetScroll->setWidget(content_);
    // A click anywhere on the preview, free area included, reaches the
    // viewport: the images and the content pass their presses on.
    sheetScroll->viewport()->installEventFilter(this);
    sheetScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    onePageBox = new QCheckBox(QStringLiteral("Разместить на 1 листе"), this);
    onePageBox->setObjectName(QStringLiteral("onePageBox"));
    printButton = new QPushButton(QStringLiteral("Печать"), this);
    printButton->setObjectName(QStringLiteral("printButton"));
    exitButton = new QPushButton(QStringLiteral("Выход"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    printButton->resize(75, 25);
    exitButton->resize(75, 25);
    printButton->installEventFilter(this);
    setTabOrder(onePageBox, printButton);
    setTabOrder(printButton, exitButton);
    makeZoomControls();

    connect(onePageBox, &QCheckBox::toggled, this, [this] { onePageToggled(); });
    connect(printButton, &QPushButton::clicked, this, [this] { printOrSave(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { closePreview(); });

    resize(kClientW, kClientH);
    layoutControls();
}

PrintPreview::~PrintPreview() = default;

bool PrintPreview::showCard(const CardData& card) {
    card_ = card;
    exec();
    return true;
}

void PrintPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    prepareShowing();
}

// Every showing rebuilds the images from the card and gives "Печать" the
// focus, so that Enter prints and Escape closes.
void PrintPreview::prepareShowing() {
    writer_.Scale = 0.8;
    writer_.CurX = writer_.CurY = 0;
    drawSheets();
    printButton->setFocus(Qt::OtherFocusReason);
}

// The three images, drawn at a multiple of the screen's resolution; the
// size shown comes from the zoom (showSheets).
void PrintPreview::drawSheets() {
    const int k = previewOversampling(logicalDpiX(), logicalDpiY());
    writer_.setResolution(logicalDpiX() * k, logicalDpiY() * k);
    const PreviewGeometry g = previewGeometry(writer_.PpiX, writer_.PpiY);
    writer_.Scale = g.scale;
    CardComposer composer(card_, writer_);

    const auto render = [&](QSize size, const std::function<void(Canvas&)>& draw) {
        QImage img(size, QImage::Format_Grayscale8);
        img.fill(Qt::white);
        QPainter painter(&img);
        PainterCanvas canvas(painter, fonts_);
        draw(canvas);
        return img;
    };
    drawn1_ = render(g.sheet1.size(), [&](Canvas& c) { composer.DrawList1(c, 0, 0); });
    drawn2_ = render(g.sheet2.size(), [&](Canvas& c) { composer.DrawList2(c, 0, 0); });
    writer_.Scale = g.bothScale;
    drawnBoth_ = render(g.bothSheets.size(), [&](Canvas& c) {
        composer.DrawList1(c, 0, 0);
        composer.DrawList2(c, 80, 0);
    });
    showSheets();
}

// The layout shown, at the zoom the fit asks for.
void PrintPreview::showSheets() {
    if (drawn1_.isNull())
        return;
    if (fit_ != Fit::None)
        zoom_ = fittedZoom();
    const PreviewGeometry g = previewGeometry(logicalDpiX(), logicalDpiY());
    const auto place = [this](SheetImage* sheet, const QImage& drawn, const QRect& at) {
        const QRect r = zoomed(at, zoom_);
        sheet->setImage(shownSheet(drawn, r.size()));
        sheet->move(r.topLeft());
    };
    if (onePageBox->isChecked()) {
        place(bothSheets, drawnBoth_, g.bothSheets);
    } else {
        place(sheet1, drawn1_, g.sheet1);
        place(sheet2, drawn2_,
              QRect(g.sheet2.left(), 1 + qRound((g.sheet2.top() - 1) * zoom_), g.sheet2.width(),
                    g.sheet2.height()));
    }
    ZoomText->setText(QStringLiteral("%1 %").arg(qRound(zoom_ * 100)));
    resizeContent();
}

// The zoom at which one page fills the width of the scroll area (its
// vertical scroll bar always there), or fits into it whole.
double PrintPreview::fittedZoom() const {
    const PreviewGeometry g = previewGeometry(logicalDpiX(), logicalDpiY());
    const QRect page = onePageBox->isChecked() ? g.bothSheets : g.sheet1;
    const int frame = 2 * sheetScroll->frameWidth() + 2; // and a pixel of margin on each side
    const int bar =
        sheetScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sheetScroll);
    const double width = double(sheetScroll->width() - frame - bar) / page.width();
    const double height = double(sheetScroll->height() - frame) / page.height();
    const double z = fit_ == Fit::Page ? std::min(width, height) : width;
    return std::clamp(z, kMinZoom, kMaxZoom);
}

void PrintPreview::setZoom(double zoom) {
    fit_ = Fit::None;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    showSheets();
}

void PrintPreview::setFit(Fit fit) {
    fit_ = fit;
    showSheets();
}

void PrintPreview::onePageToggled() {
    const bool one = onePageBox->isChecked();
    sheet1->setVisible(!one);
    sheet2->setVisible(!one);
    bothSheets->setVisible(one);
    showSheets();
}

void PrintPreview::togglePageLayout() {
    onePageBox->setChecked(!onePageBox->isChecked());
}

void PrintPreview::printOrSave() {
    if (!printersPresent_()) {
        if (messenger().question(QStringLiteral(
                "Принтер не установлен. Сохранить карту программирования в файл PDF?")))
            saveAsPdf();
        return;
    }
    if (!runDialog_(*printer_, this))
        return; // cancelled: the preview stays open
    const CardLayout layout = onePageBox->isChecked() ? CardLayout::OnePage : CardLayout::TwoPages;
    const PrintResult result = printCard(*printer_, card_, layout, fonts_);
    if (result != PrintResult::Printed) {
        messenger().error(printErrorText(result));
        return;
    }
    accept();
}

// The card as the printer would get it, in a PDF file; the window closes
// once it is saved, as after printing.
void PrintPreview::saveAsPdf() {
    const QString path = pdfName_(this, card_.factoryNumber + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const CardLayout layout = onePageBox->isChecked() ? CardLayout::OnePage : CardLayout::TwoPages;
    QString error;
    if (!renderCardPdf(card_, path, layout, &error)) {
        messenger().error(error);
        return;
    }
    accept();
}

void PrintPreview::closePreview() {
    reject();
}

// The scroll area fills the window above a strip of 48 pixels; the check box
// keeps its distance to the left and bottom, the buttons to the right and
// bottom.
void PrintPreview::layoutControls() {
    const int w = width(), h = height();
    sheetScroll->setGeometry(0, 0, w, std::max(0, h - kBottomStrip));
    onePageBox->adjustSize();
    onePageBox->move(16, h - (kClientH - 384));
    printButton->move(w - (kClientW - 450), h - (kClientH - 378));
    exitButton->move(w - (kClientW - 530), h - (kClientH - 378));
    // The zoom controls follow the check box on its line.
    int x = onePageBox->geometry().right() + 16;
    for (QWidget* c : {static_cast<QWidget*>(ZoomOut), static_cast<QWidget*>(ZoomText),
                       static_cast<QWidget*>(ZoomIn), static_cast<QWidget*>(FitWidth),
                       static_cast<QWidget*>(FitPage)}) {
        c->adjustSize();
        c->move(x, h - (kClientH - 378) + (25 - c->height()) / 2);
        x += c->width() + 2;
    }
}

void PrintPreview::makeZoomControls() {
    ZoomOut = zoomButton(this, "ZoomOut", QStringLiteral("−"), QStringLiteral("Мельче (Ctrl+−)"));
    ZoomIn = zoomButton(this, "ZoomIn", QStringLiteral("+"), QStringLiteral("Крупнее (Ctrl++)"));
    FitWidth = zoomButton(this, "FitWidth", QStringLiteral("Ширина"),
                          QStringLiteral("Лист во всю ширину окна"));
    FitPage =
        zoomButton(this, "FitPage", QStringLiteral("Лист"), QStringLiteral("Весь лист в окне"));
    ZoomText = new QLabel(QStringLiteral("100 %"), this);
    ZoomText->setObjectName(QStringLiteral("ZoomText"));
    ZoomText->setAlignment(Qt::AlignCenter);
    ZoomText->setMinimumWidth(ZoomText->fontMetrics().horizontalAdvance(QStringLiteral("400 %")));
    connect(ZoomOut, &QToolButton::clicked, this, [this] { setZoom(nextZoomStep(zoom_, false)); });
    connect(ZoomIn, &QToolButton::clicked, this, [this] { setZoom(nextZoomStep(zoom_, true)); });
    connect(FitWidth, &QToolButton::clicked, this, [this] { setFit(Fit::Width); });
    connect(FitPage, &QToolButton::clicked, this, [this] { setFit(Fit::Page); });
}

void PrintPreview::resizeContent() {
    QRect r;
    for (const SheetImage* s : {sheet1, sheet2, bothSheets})
        if (!s->isHidden())
            r |= s->geometry();
    content_->resize(r.right() + 1, r.bottom() + 1);
}

void PrintPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
    if (fit_ != Fit::None)
        showSheets(); // the page grows and shrinks with the window
}

// Escape closes the window only from "Печать" (see eventFilter); elsewhere
// it does nothing, unlike in an ordinary dialog. Enter presses the button
// that has the focus and nothing else: on the check box it does not print.
void PrintPreview::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & Qt::ControlModifier) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus) {
            setZoom(nextZoomStep(zoom_, key != Qt::Key_Minus));
            event->accept();
            return;
        }
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) ||
        (enter && !qobject_cast<QPushButton*>(focusWidget()))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PrintPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == printButton && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (watched == sheetScroll->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() != 0)
                setZoom(nextZoomStep(zoom_, wheel->angleDelta().y() > 0));
            return true;
        }
    }
    if (watched == sheetScroll->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        togglePageLayout();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ksv::print
