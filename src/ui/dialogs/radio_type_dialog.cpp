#include "ui/dialogs/radio_type_dialog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace ksv {

namespace {
constexpr int kClientWidth = 250;
constexpr int kClientHeight = 169;

bool isConfirmKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
} // namespace

const QStringList& RadioTypeDialog::itemTexts() {
    // The blanks of the UHF vehicle item are as the transceivers' documents write it.
    static const QStringList texts = {
        QStringLiteral("Тарвен-52 (возимая, диапазон МВ)"),
        QStringLiteral("Тарвен-51 (стационарная, диапазон МВ)"),
        QStringLiteral("Тарвен-53 (ретранслятор, диапазон МВ)"),
        QStringLiteral("Тарвен-62 (возимая,  диапазон ДМВ) "),
        QStringLiteral("Тарвен-61 (стационарная, диапазон ДМВ)"),
        QStringLiteral("Тарвен-63 (ретранслятор, диапазон ДМВ)"),
    };
    return texts;
}

RadioTypeDialog::RadioTypeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RadioTypeDialog"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    endProgram_ = [] { QCoreApplication::exit(0); };

    prompt_ = new QLabel(QStringLiteral("Выберите тип радиостанции"), this);
    prompt_->setObjectName(QStringLiteral("prompt"));

    typeList_ = new QListWidget(this);
    typeList_->setObjectName(QStringLiteral("typeList"));
    typeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    typeList_->addItems(itemTexts());
    typeList_->installEventFilter(this);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton* b : {okButton_, cancelButton_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(okButton_, &QPushButton::clicked, this, &RadioTypeDialog::confirmChoice);
    connect(cancelButton_, &QPushButton::clicked, this, &RadioTypeDialog::cancelChoice);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(prompt_);
    layout->addWidget(typeList_, 1);
    layout->addLayout(buttons);

    // The list must show its longest item whole; the dialog is never smaller
    // than its classic 250 x 169 client area.
    int textWidth = 0;
    const QFontMetrics fm = typeList_->fontMetrics();
    for (const QString& t : itemTexts())
        textWidth = std::max(textWidth, fm.horizontalAdvance(t));
    const int listWidth = textWidth + 2 * typeList_->frameWidth() + 12;
    const int rowsHeight = typeList_->sizeHintForRow(0) * typeList_->count();
    typeList_->setMinimumSize(listWidth, rowsHeight + 2 * typeList_->frameWidth() + 2);
    const QSize needed = layout->minimumSize();
    setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
}

void RadioTypeDialog::setEndProgram(std::function<void()> endProgram) {
    endProgram_ = std::move(endProgram);
}

bool RadioTypeDialog::askStartType(int& rememberedType) {
    typeList_->setCurrentRow(0);
    cancelButton_->hide();
    return ask(rememberedType);
}

bool RadioTypeDialog::askNewType(int& rememberedType) {
    const int row = std::clamp(rememberedType, 0, static_cast<int>(itemTexts().size()) - 1);
    typeList_->setCurrentRow(row);
    cancelButton_->show();
    return ask(rememberedType);
}

bool RadioTypeDialog::ask(int& rememberedType) {
    accepted_ = false;
    remembered_ = &rememberedType;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    remembered_ = nullptr;
    return accepted_;
}

void RadioTypeDialog::confirmChoice() {
    // The list always has a current row; the guard keeps a stray -1 out.
    const int row = std::max(0, typeList_->currentRow());
    if (remembered_)
        *remembered_ = row;
    cancelButton_->show();
    accepted_ = true;
    accept();
}

void RadioTypeDialog::cancelChoice() {
    accepted_ = false;
    reject();
}

void RadioTypeDialog::done(int result) {
    // A start-up form that closes without "OK" ends the program; "OK" shows
    // "Отмена" before it closes, so confirming never ends it.
    const bool endProgram = cancelButton_->isHidden();
    QDialog::done(result);
    if (endProgram && endProgram_)
        endProgram_();
}

void RadioTypeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    typeList_->setFocus(Qt::OtherFocusReason);
}

void RadioTypeDialog::keyPressEvent(QKeyEvent* event) {
    // There is no cancel button: Escape outside the list does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool RadioTypeDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == typeList_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isConfirmKey(key->key())) {
            // Enter and Escape in the list both confirm the highlighted type.
            confirmChoice();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ksv
