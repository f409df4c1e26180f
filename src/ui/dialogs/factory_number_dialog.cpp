#include "ui/dialogs/factory_number_dialog.h"

#include "image/codecs.h"
#include "ui/dialogs/messages.h"
#include "ui/model/image_host.h"

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

FactoryNumberDialog::FactoryNumberDialog(ImageHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      host_(host) {
    setObjectName(QStringLiteral("FactoryNumberDialog"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setModal(true);

    allowChangeBox = new QCheckBox(QStringLiteral("изменить номер"), this);
    promptLine1 = new QLabel(QStringLiteral("Введите заводской номер"), this);
    promptLine2 = new QLabel(QStringLiteral("приемопередатчика"), this);
    numberEdit = new QLineEdit(QStringLiteral("000000"), this);
    numberEdit->setMaxLength(kTypedDigits);
    // Only digits can be typed; Backspace and editing keys still work.
    numberEdit->setValidator(new FactoryNumberValidator(openedNumber_, numberEdit));
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setAutoDefault(false);
    okButton->setDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(allowChangeBox);
    layout->addSpacing(4);
    layout->addWidget(promptLine1, 0, Qt::AlignHCenter);
    layout->addWidget(promptLine2, 0, Qt::AlignHCenter);
    layout->addWidget(numberEdit);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);

    numberEdit->installEventFilter(this);
    okButton->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &FactoryNumberDialog::acceptNumber);

    setFixedSize(186, 152);
}

void FactoryNumberDialog::askForNumber() {
    if (host_.operatingMode() != omService)
        return;
    // The field's length limit would cut a seven-digit number when it is set
    // from here; the validator keeps typing to six digits.
    openedNumber_ = QString::fromStdString(ZnTxt(host_.currentImage()));
    numberEdit->setMaxLength(std::max<int>(kTypedDigits, openedNumber_.size()));
    numberEdit->setText(openedNumber_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

bool FactoryNumberDialog::numberChangeAllowed() const {
    return allowChangeBox->isChecked();
}

void FactoryNumberDialog::acceptNumber() {
    if (!allowChangeBox->isChecked()) {
        accept();
        return;
    }
    bool ok = false;
    const uint n = numberEdit->text().toUInt(&ok);
    if (!ok) {
        messenger().error(QStringLiteral("Номер не введен"));
        return;
    }
    Image image = host_.currentImage();
    ZnToBuf(n, image);
    host_.showImage(image);
    accept();
}

bool FactoryNumberDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter in the field acts as OK; on the focused OK button it clicks
        // it, as on any focused button (a button that is not the default
        // would otherwise ignore it).
        if ((watched == numberEdit || watched == okButton) &&
            (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            acceptNumber();
            return true;
        }
        if (key == Qt::Key_Escape && (watched == numberEdit || watched == okButton)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FactoryNumberDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    numberEdit->setFocus(Qt::OtherFocusReason);
    numberEdit->selectAll();
}

} // namespace ksv
