#include "ui/dialogs/newtype_form.h"

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

const QStringList& TNewTypeForm::itemTexts() {
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

TNewTypeForm::TNewTypeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TNewTypeForm"));
    setWindowTitle(QStringLiteral("Программа KSV717N"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    endProgram_ = [] { QCoreApplication::exit(0); };

    StaticText1 = new QLabel(QStringLiteral("Выберите тип радиостанции"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->addItems(itemTexts());
    ListBox1->installEventFilter(this);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, &TNewTypeForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TNewTypeForm::Button2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(StaticText1);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);

    // The list must show its longest item whole; the dialog is never smaller
    // than its classic 250 x 169 client area.
    int textWidth = 0;
    const QFontMetrics fm = ListBox1->fontMetrics();
    for (const QString& t : itemTexts())
        textWidth = std::max(textWidth, fm.horizontalAdvance(t));
    const int listWidth = textWidth + 2 * ListBox1->frameWidth() + 12;
    const int rowsHeight = ListBox1->sizeHintForRow(0) * ListBox1->count();
    ListBox1->setMinimumSize(listWidth, rowsHeight + 2 * ListBox1->frameWidth() + 2);
    const QSize needed = layout->minimumSize();
    setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
}

void TNewTypeForm::setEndProgram(std::function<void()> endProgram) {
    endProgram_ = std::move(endProgram);
}

bool TNewTypeForm::AskStartType(int& rememberedType) {
    ListBox1->setCurrentRow(0);
    Button2->hide();
    return ask(rememberedType);
}

bool TNewTypeForm::AskNewType(int& rememberedType) {
    const int row = std::clamp(rememberedType, 0, static_cast<int>(itemTexts().size()) - 1);
    ListBox1->setCurrentRow(row);
    Button2->show();
    return ask(rememberedType);
}

bool TNewTypeForm::ask(int& rememberedType) {
    accepted_ = false;
    remembered_ = &rememberedType;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    remembered_ = nullptr;
    return accepted_;
}

void TNewTypeForm::Button1Click() {
    // The list always has a current row; the guard keeps a stray -1 out.
    const int row = std::max(0, ListBox1->currentRow());
    if (remembered_)
        *remembered_ = row;
    Button2->show();
    accepted_ = true;
    accept();
}

void TNewTypeForm::Button2Click() {
    accepted_ = false;
    reject();
}

void TNewTypeForm::done(int result) {
    // A start-up form that closes without "OK" ends the program; "OK" shows
    // "Отмена" before it closes, so confirming never ends it.
    const bool endProgram = Button2->isHidden();
    QDialog::done(result);
    if (endProgram && endProgram_)
        endProgram_();
}

void TNewTypeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ListBox1->setFocus(Qt::OtherFocusReason);
}

void TNewTypeForm::keyPressEvent(QKeyEvent* event) {
    // There is no cancel button: Escape outside the list does nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TNewTypeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isConfirmKey(key->key())) {
            // Enter and Escape in the list both confirm the highlighted type.
            Button1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ksv
