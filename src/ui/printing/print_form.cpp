#include "ui/printing/print_form.h"

#include "print/card_composer.h"
#include "print/painter_canvas.h"
#include "print/preview_geometry.h"
#include "ui/dialogs/messages.h"
#include "ui/printing/sheet_image.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

namespace ksv::print {

namespace {

constexpr int kClientW = 610;
constexpr int kClientH = 410;
constexpr int kBottomStrip = 48; // below the scroll area

// A white image framed by a one-pixel black rectangle.
QImage blankSheet(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return img;
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

TPrintForm::TPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      runDialog_(runPrintDialog), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintForm"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setModal(true);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    content_ = new QWidget;
    content_->setAutoFillBackground(false);
    PrintPanel = new SheetImage(content_);
    PrintPanel1 = new SheetImage(content_);
    PrintPanel2 = new SheetImage(content_);
    PrintPanel->setObjectName(QStringLiteral("PrintPanel"));
    PrintPanel1->setObjectName(QStringLiteral("PrintPanel1"));
    PrintPanel2->setObjectName(QStringLiteral("PrintPanel2"));
    PrintPanel2->hide();
    ScrollBox1->setWidget(content_);
    // A click anywhere on the preview, free area included, reaches the
    // viewport: the images and the content pass their presses on.
    ScrollBox1->viewport()->installEventFilter(this);

    CheckBox1 = new QCheckBox(QStringLiteral("Разместить на 1 листе"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Button1 = new QPushButton(QStringLiteral("Печать"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Выход"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1->resize(75, 25);
    Button2->resize(75, 25);
    Button1->installEventFilter(this);
    setTabOrder(CheckBox1, Button1);
    setTabOrder(Button1, Button2);

    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    resize(kClientW, kClientH);
    layoutControls();
}

TPrintForm::~TPrintForm() = default;

bool TPrintForm::ShowPrint(const CardData& card) {
    card_ = card;
    exec();
    return true;
}

void TPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    FormShow();
}

// Every showing rebuilds the images from the card and gives "Печать" the
// focus, so that Enter prints and Escape closes.
void TPrintForm::FormShow() {
    writer_.Scale = 0.8;
    writer_.CurX = writer_.CurY = 0;
    MakeView();
    Button1->setFocus(Qt::OtherFocusReason);
}

void TPrintForm::MakeView() {
    writer_.setResolution(logicalDpiX(), logicalDpiY());
    const PreviewGeometry g = previewGeometry(writer_.PpiX, writer_.PpiY);
    writer_.Scale = g.scale;
    CardComposer composer(card_, writer_);

    const auto render = [&](QSize size, const std::function<void(Canvas&)>& draw) {
        QImage img = blankSheet(size);
        QPainter painter(&img);
        PainterCanvas canvas(painter, fonts_);
        draw(canvas);
        return img;
    };
    PrintPanel->setImage(render(g.sheet1.size(), [&](Canvas& c) { composer.DrawList1(c, 0, 0); }));
    PrintPanel1->setImage(render(g.sheet2.size(), [&](Canvas& c) { composer.DrawList2(c, 0, 0); }));
    writer_.Scale = g.bothScale;
    PrintPanel2->setImage(render(g.bothSheets.size(), [&](Canvas& c) {
        composer.DrawList1(c, 0, 0);
        composer.DrawList2(c, 80, 0);
    }));
    PrintPanel->move(g.sheet1.topLeft());
    PrintPanel1->move(g.sheet2.topLeft());
    PrintPanel2->move(g.bothSheets.topLeft());
    resizeContent();
}

void TPrintForm::CheckBox1Click() {
    const bool one = CheckBox1->isChecked();
    PrintPanel->setVisible(!one);
    PrintPanel1->setVisible(!one);
    PrintPanel2->setVisible(one);
    resizeContent();
}

void TPrintForm::ScrollBox1Click() {
    CheckBox1->setChecked(!CheckBox1->isChecked());
}

void TPrintForm::Button1Click() {
    if (!runDialog_(*printer_, this))
        return; // cancelled: the preview stays open
    const CardLayout layout = CheckBox1->isChecked() ? CardLayout::OnePage : CardLayout::TwoPages;
    const PrintResult result = printCard(*printer_, card_, layout, fonts_);
    if (result != PrintResult::Printed) {
        messenger().error(printErrorText(result));
        return;
    }
    accept();
}

void TPrintForm::Button2Click() {
    reject();
}

// The scroll area fills the window above a strip of 48 pixels; the check box
// keeps its distance to the left and bottom, the buttons to the right and
// bottom.
void TPrintForm::layoutControls() {
    const int w = width(), h = height();
    ScrollBox1->setGeometry(0, 0, w, std::max(0, h - kBottomStrip));
    CheckBox1->adjustSize();
    CheckBox1->move(16, h - (kClientH - 384));
    Button1->move(w - (kClientW - 450), h - (kClientH - 378));
    Button2->move(w - (kClientW - 530), h - (kClientH - 378));
}

void TPrintForm::resizeContent() {
    QRect r;
    for (const SheetImage* s : {PrintPanel, PrintPanel1, PrintPanel2})
        if (!s->isHidden())
            r |= s->geometry();
    content_->resize(r.right() + 1, r.bottom() + 1);
}

void TPrintForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

// Escape closes the window only from "Печать" (see eventFilter); elsewhere
// it does nothing, unlike in an ordinary dialog. Enter presses the button
// that has the focus and nothing else: on the check box it does not print.
void TPrintForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if ((key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) ||
        (enter && !qobject_cast<QPushButton*>(focusWidget()))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TPrintForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Button1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject(); // Button1KeyDown
        return true;
    }
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ScrollBox1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ksv::print
