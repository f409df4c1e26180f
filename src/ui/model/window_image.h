#pragma once

// The settings image the main window shows and edits: the window's one
// state. Every change goes through set(), and changed() tells the views
// (the channel table follows at once; the settings pages follow when the
// window refreshes them).

#include "image/image.h"

#include <QObject>

namespace ksv {

class WindowImage : public QObject {
    Q_OBJECT
public:
    explicit WindowImage(QObject* parent = nullptr) : QObject(parent) {}

    const Image& image() const { return image_; }

    // The one place where the window's image changes; changed() follows
    // when a byte differs.
    void set(const Image& next);

    // Changes a copy of the image by f and takes it.
    template <class F> void edit(F&& f) {
        Image next = image_;
        f(next);
        set(next);
    }

signals:
    // The image has changed; before is what it held until then.
    void changed(const ksv::Image& before);

private:
    Image image_;
};

} // namespace ksv
