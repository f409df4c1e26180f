#pragma once

// The table of the raw data editor: a 16 x 16 grid of cells edited in place,
// with headers that do not scroll away. It lets its owner finish or discard
// an edit in progress, and reports Escape even while a cell is being edited.

#include <QStyledItemDelegate>
#include <QTableWidget>

namespace ksv {

// Item delegate whose editor reports Escape instead of only reverting the edit.
class EscapeAwareDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

signals:
    void escapePressed();

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

class HexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit HexGrid(QWidget* parent = nullptr);

    // Stores the text of a cell being edited, as Enter would, and closes the editor.
    void commitEdit();
    // Closes the editor of a cell being edited; the cell keeps its old text.
    void discardEdit();
    bool editing() const { return state() == QAbstractItemView::EditingState; }

signals:
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* openEditor() const;
};

} // namespace ksv
