#pragma once

// Spin edit for a tone frequency in Hz (500..3000, step 10, at most four
// characters). Enter is taken before the base class sees it: in an empty
// field it does nothing, otherwise the value is brought into range and
// enterPressed() is emitted. Leaving an empty field, or hiding it, puts
// "3000" into it; losing the focus to a popup or another window does not.

#include <QSpinBox>

namespace ksv {

class ToneSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    static constexpr int kMin = 500;
    static constexpr int kMax = 3000;

    explicit ToneSpinEdit(QWidget* parent = nullptr);

    // The value as stored: an empty field counts as 3000, anything typed is
    // brought into 500..3000.
    int effectiveValue() const;

    bool isEmpty() const;

    // A figure wider than the style asks for: some styles (Windows' under
    // Wine) leave four figures touching the frame.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace ksv
