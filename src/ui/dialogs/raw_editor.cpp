#include "ui/dialogs/raw_editor.h"

#include "image/codecs.h"
#include "ui/dialogs/hex_grid.h"
#include "ui/dialogs/messages.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QVBoxLayout>

namespace ksv {
namespace {

QString hexText(int v) {
    return QString::fromStdString(hexByte(static_cast<std::uint8_t>(v)));
}

// The byte value of a cell: its first two characters as upper-case
// hexadecimal digits; anything after them is ignored.
std::optional<std::uint8_t> cellValue(const QString& text) {
    if (text.size() < 2)
        return std::nullopt;
    const QChar hi = text.at(0);
    const QChar lo = text.at(1);
    if (hi.unicode() > 0x7F || lo.unicode() > 0x7F)
        return std::nullopt;
    return hexPair(static_cast<char>(hi.unicode()), static_cast<char>(lo.unicode()));
}

} // namespace

RawEditor::RawEditor(ImageHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      host_(host), grid_(new HexGrid(this)),
      applyButton_(new QPushButton(QStringLiteral("Применить"), this)),
      closeButton_(new QPushButton(QStringLiteral("Закрыть"), this)) {
    setWindowTitle(QStringLiteral("Редактор данных"));
    // An open editor must not keep the program running once the main window
    // has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    QStringList columns;
    QStringList rows;
    for (int i = 0; i < 16; ++i) {
        columns << hexText(i);
        rows << hexText(16 * i);
    }
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setVerticalHeaderLabels(rows);
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(r, c, item);
        }
    }
    // The corner above the row headers shows "$$", like a header section.
    corner_ = grid_->findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);

    connect(grid_, &HexGrid::escapePressed, this, &RawEditor::closeEditor);
    connect(applyButton_, &QPushButton::clicked, this, &RawEditor::apply);
    connect(closeButton_, &QPushButton::clicked, this, &RawEditor::closeEditor);
    for (QPushButton* b : {applyButton_, closeButton_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(88);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 6, 8, 8);
    buttons->addStretch();
    buttons->addWidget(applyButton_);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    grid_->setMinimumHeight(120);
    resize(566, 366);
    grid_->setCurrentCell(0, 0);
}

void RawEditor::editCurrentImage() {
    if (host_.operatingMode() != omService)
        return;
    host_.commitEdits();
    showBytes(host_.currentImage());
    host_.showImage(host_.currentImage());
}

void RawEditor::showBytes(const Image& image) {
    const Image copy = image;
    grid_->discardEdit();
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        grid_->item(i / 16, i % 16)->setText(hexText(copy[static_cast<std::size_t>(i)]));

    if (!placed_) {
        // Centred on the desktop the first time it is shown.
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    grid_->setFocus();
}

std::optional<int> RawEditor::firstBadCell() const {
    for (int i = 0; i < static_cast<int>(kImageSize); ++i) {
        if (!cellValue(grid_->item(i / 16, i % 16)->text()))
            return i;
    }
    return std::nullopt;
}

void RawEditor::apply() {
    // A cell still being typed into counts with what it holds.
    grid_->commitEdit();

    if (const std::optional<int> bad = firstBadCell()) {
        const int offset = *bad;
        grid_->setCurrentCell(offset / 16, offset % 16);
        messenger().error(
            QStringLiteral("Неверное значение байта %1 (строка %2, столбец %3): "
                           "нужны две шестнадцатеричные цифры 0-9, A-F. "
                           "Данные не применены.")
                .arg(hexText(offset), hexText(offset & 0xF0), hexText(offset & 0x0F)));
        grid_->setFocus();
        return;
    }

    Image image;
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        image[static_cast<std::size_t>(i)] = *cellValue(grid_->item(i / 16, i % 16)->text());
    host_.showImage(image);
}

void RawEditor::closeEditor() {
    close();
}

QString RawEditor::cellText(int col, int row) const {
    if (col < 0 || row < 0 || col >= kGridSize || row >= kGridSize)
        return {};
    if (col == 0 && row == 0)
        return QStringLiteral("$$");
    if (row == 0)
        return grid_->horizontalHeaderItem(col - 1)->text();
    if (col == 0)
        return grid_->verticalHeaderItem(row - 1)->text();
    return grid_->item(row - 1, col - 1)->text();
}

void RawEditor::setCellText(int col, int row, const QString& text) {
    if (col < 1 || row < 1 || col >= kGridSize || row >= kGridSize)
        return;
    grid_->item(row - 1, col - 1)->setText(text);
}

void RawEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void RawEditor::hideEvent(QHideEvent* event) {
    // An edit left open when the window closes is dropped, not applied later.
    grid_->discardEdit();
    QWidget::hideEvent(event);
}

bool RawEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QStylePainter p(corner_);
        QStyleOptionHeader opt;
        opt.initFrom(grid_->horizontalHeader());
        opt.rect = corner_->rect();
        opt.text = QStringLiteral("$$");
        opt.textAlignment = Qt::AlignCenter;
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.orientation = Qt::Horizontal;
        opt.state |= QStyle::State_Enabled;
        p.drawControl(QStyle::CE_Header, opt);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ksv
