#pragma once

// Undo and redo of the window's image. Every change of the image is recorded
// with the image before and after it; the changes made while a Step lives
// (one user action: a command that stores the pages and refreshes them,
// reads a file, writes a transceiver) are one step. A step also takes back a
// note kept beside the image (the file in use).

#include "ui/model/window_image.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace ksv {

class ImageHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxSteps = 1000;

    explicit ImageHistory(WindowImage& image, QObject* parent = nullptr);

    // The note a step takes back with the image.
    void setNote(std::function<QString()> get, std::function<void(const QString&)> put);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Take the image back to what it was before the last step, or forward to
    // what it was after the last step undone. Nothing while a step is open.
    void undo();
    void redo();
    // Forgets every step (start-up).
    void clear();

    // While it lives, the changes of the image are one step.
    class Step {
    public:
        explicit Step(ImageHistory& history);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        ImageHistory& history_;
    };

signals:
    // An undo or redo has set the image; was is what it held before. The
    // window refreshes what shows the image; what that refresh changes in
    // the image is taken back at once.
    void restored(const ksv::Image& was);
    // canUndo() or canRedo() may have changed.
    void stepsChanged();

private:
    struct Entry {
        Image before;
        Image after;
        QString noteBefore;
        QString noteAfter;
    };

    void imageChanged(const Image& before);
    void open();
    void close();
    void push(Entry entry);
    void restore(const Image& image, const Entry& entry, const QString& note);
    QString note() const { return getNote_ ? getNote_() : QString(); }

    WindowImage& image_;
    std::function<QString()> getNote_;
    std::function<void(const QString&)> putNote_;
    std::deque<Entry> undo_;
    std::vector<Entry> redo_;
    int depth_ = 0;
    std::optional<Entry> open_; // the step being recorded
    bool restoring_ = false;
};

} // namespace ksv
