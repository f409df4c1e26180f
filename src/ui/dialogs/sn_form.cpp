#include "ui/dialogs/sn_form.h"

#include "image/codecs.h"
#include "ui/dialogs/messages.h"
#include "ui/main/image_host.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace ksv {
namespace {

// Lets the user type up to six digits, and accepts the number the dialog was
// opened with as it stands: the image holds 20 bits, so a factory number can
// have seven digits (up to 1048575), and it must not be cut short.
class FactoryNumberValidator final : public QValidator {
public:
    FactoryNumberValidator(const QString& opened, QObject* parent)
        : QValidator(parent), opened_(opened) {}

    State validate(QString& text, int&) const override {
        static const QRegularExpression typed(
            QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{0,6}")));
        return text == opened_ || typed.match(text).hasMatch() ? Acceptable : Invalid;
    }

private:
    const QString& opened_;
};

constexpr int kTypedDigits = 6;

} // namespace

TSNForm::TSNForm(ImageHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      host_(host) {
    setObjectName(QStringLiteral("TSNForm"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setModal(true);

    CheckBox1 = new QCheckBox(QStringLiteral("изменить номер"), this);
    Label1 = new QLabel(QStringLiteral("Введите заводской номер"), this);
    Label2 = new QLabel(QStringLiteral("приемопередатчика"), this);
    Edit1 = new QLineEdit(QStringLiteral("000000"), this);
    Edit1->setMaxLength(kTypedDigits);
    // Only digits can be typed; Backspace and editing keys still work.
    Edit1->setValidator(new FactoryNumberValidator(openedNumber_, Edit1));
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setAutoDefault(false);
    Button1->setDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckBox1);
    layout->addSpacing(4);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addWidget(Label2, 0, Qt::AlignHCenter);
    layout->addWidget(Edit1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);

    Edit1->installEventFilter(this);
    Button1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, &TSNForm::Button1Click);

    setFixedSize(186, 152);
}

void TSNForm::askForNumber() {
    if (host_.operatingMode() != omService)
        return;
    // The field's length limit would cut a seven-digit number when it is set
    // from here; the validator keeps typing to six digits.
    openedNumber_ = QString::fromStdString(ZnTxt(host_.currentImage()));
    Edit1->setMaxLength(std::max<int>(kTypedDigits, openedNumber_.size()));
    Edit1->setText(openedNumber_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

bool TSNForm::numberChangeAllowed() const {
    return CheckBox1->isChecked();
}

void TSNForm::Button1Click() {
    if (!CheckBox1->isChecked()) {
        accept();
        return;
    }
    bool ok = false;
    const uint n = Edit1->text().toUInt(&ok);
    if (!ok) {
        messenger().error(QStringLiteral("Номер не введен"));
        return;
    }
    Image image = host_.currentImage();
    ZnToBuf(n, image);
    host_.showImage(image);
    accept();
}

bool TSNForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in the field acts as OK; on the focused OK button it clicks
        // it, as on any focused button (a button that is not the default
        // would otherwise ignore it).
        if ((watched == Edit1 || watched == Button1) &&
            (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Button1Click();
            return true;
        }
        if (key == Qt::Key_Escape && (watched == Edit1 || watched == Button1)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSNForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus(Qt::OtherFocusReason);
    Edit1->selectAll();
}

} // namespace ksv
