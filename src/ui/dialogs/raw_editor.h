#pragma once

// The raw data editor: the 256 bytes of the current image as a 16 x 16 table
// of two-digit hexadecimal numbers, with the offsets as row and column
// headers. The window is not modal; it is refilled each time the main window
// opens it and applies the whole table at once.

#include "image/image.h"
#include "ui/model/image_host.h"

#include <QWidget>
#include <optional>

class QPushButton;
class QAbstractButton;

namespace ksv {

class HexGrid;

class RawEditor : public QWidget { // TEditWnd
    Q_OBJECT
public:
    static constexpr int kGridSize = 17; // header row and column plus 16 x 16 bytes

    explicit RawEditor(ImageHost& host, QWidget* parent = nullptr);

    // The main window's "Редактирование" (Alt+F1): in service mode only,
    // stores the window into the image, fills the table from it and shows the
    // editor, then refreshes the window. In any other mode it does nothing.
    void editCurrentImage();

    // Fills the table from a copy of the image, replacing any edits not yet
    // applied, and shows the window without making it modal.
    void showBytes(const Image& image);

    // "Применить": the table's 256 bytes into the current image, then a
    // refresh of the main window. A cell that does not begin with two
    // upper-case hexadecimal digits refuses the whole Apply with a message and
    // changes no byte.
    void apply();
    // "Закрыть": closes without applying.
    void closeEditor();

    // Text of a cell in the table's own coordinates: column 0 and row 0 are
    // the headers ("$$" in the corner), column c + 1 and row r + 1 hold byte
    // 16 r + c.
    QString cellText(int col, int row) const;
    void setCellText(int col, int row, const QString& text);

    HexGrid* grid() const { return grid_; }
    QPushButton* applyButton() const { return applyButton_; }
    QPushButton* closeButton() const { return closeButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Index of the first data cell that holds no byte value, row by row.
    std::optional<int> firstBadCell() const;

    ImageHost& host_;
    HexGrid* grid_;
    QAbstractButton* corner_ = nullptr;
    QPushButton* applyButton_;
    QPushButton* closeButton_;
    bool placed_ = false;
};

} // namespace ksv
