#include "ui/model/image_history.h"

#include <utility>

namespace ksv {

ImageHistory::ImageHistory(WindowImage& image, QObject* parent) : QObject(parent), image_(image) {
    connect(&image_, &WindowImage::changed, this, &ImageHistory::imageChanged);
}

void ImageHistory::setNote(std::function<QString()> get, std::function<void(const QString&)> put) {
    getNote_ = std::move(get);
    putNote_ = std::move(put);
}

ImageHistory::Step::Step(ImageHistory& history) : history_(history) {
    history_.open();
}

ImageHistory::Step::~Step() {
    history_.close();
}

void ImageHistory::open() {
    if (depth_++ == 0)
        open_ = Entry{image_.image(), image_.image(), note(), note()};
}

void ImageHistory::close() {
    if (--depth_ > 0 || !open_)
        return;
    Entry entry = *open_;
    open_.reset();
    entry.after = image_.image();
    entry.noteAfter = note();
    if (entry.after != entry.before)
        push(std::move(entry));
}

void ImageHistory::imageChanged(const Image& before) {
    if (restoring_ || depth_ > 0)
        return; // an open step takes its image when it closes
    push(Entry{before, image_.image(), note(), note()});
}

void ImageHistory::push(Entry entry) {
    undo_.push_back(std::move(entry));
    if (undo_.size() > kMaxSteps)
        undo_.pop_front();
    redo_.clear();
    emit stepsChanged();
}

void ImageHistory::undo() {
    if (undo_.empty() || depth_ > 0)
        return;
    Entry entry = undo_.back();
    undo_.pop_back();
    restore(entry.before, entry, entry.noteBefore);
    redo_.push_back(std::move(entry));
    emit stepsChanged();
}

void ImageHistory::redo() {
    if (redo_.empty() || depth_ > 0)
        return;
    Entry entry = redo_.back();
    redo_.pop_back();
    restore(entry.after, entry, entry.noteAfter);
    undo_.push_back(std::move(entry));
    emit stepsChanged();
}

// The note is taken back only by a step that changed it (a file opened, not
// a file saved).
void ImageHistory::restore(const Image& image, const Entry& entry, const QString& note) {
    restoring_ = true;
    const Image was = image_.image();
    image_.set(image);
    if (putNote_ && entry.noteBefore != entry.noteAfter)
        putNote_(note);
    emit restored(was);
    image_.set(image);
    restoring_ = false;
}

void ImageHistory::clear() {
    undo_.clear();
    redo_.clear();
    emit stepsChanged();
}

} // namespace ksv
