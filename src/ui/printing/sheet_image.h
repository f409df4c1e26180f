#pragma once

// One preview image: shows a rendered sheet pixel for pixel. Mouse presses
// pass on to the scroll area, where a click switches the layout.

#include <QImage>
#include <QWidget>

namespace ksv::print {

class SheetImage final : public QWidget {
    Q_OBJECT
public:
    explicit SheetImage(QWidget* parent = nullptr) : QWidget(parent) {}
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace ksv::print
