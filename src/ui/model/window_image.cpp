#include "ui/model/window_image.h"

namespace ksv {

void WindowImage::set(const Image& next) {
    if (next == image_)
        return;
    const Image before = image_;
    image_ = next;
    emit changed(before);
}

} // namespace ksv
