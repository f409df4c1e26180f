#include "ui/printing/sheet_image.h"

#include <QPainter>

namespace ksv::print {

void SheetImage::setImage(const QImage& image) {
    image_ = image;
    setFixedSize(image_.size());
    update();
}

void SheetImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

} // namespace ksv::print
