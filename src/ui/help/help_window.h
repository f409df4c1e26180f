#pragma once

// The program's help: a window of its own that shows the HTML help book
// shipped beside the executable (folder "help"), or the copy compiled into
// the program when that folder is missing; each page as a reader on this
// system sees it (help_views.h).

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace ksv {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // F1, "Вызов справки" and the help tool button: opens the window at the
    // table of contents, or brings an open window forward at its contents.
    void showContents();
    // Closes the help window (the main window calls it when the program ends).
    void closeHelp();

    // The book's contents page: <dir>/help/index.html when it exists, else
    // the compiled-in copy. dir is normally the executable's folder.
    static QUrl contentsUrl(const QString& dir);
    // The contents page for this run, from the executable's folder.
    static QUrl contentsUrl();

    QTextBrowser* browser() const { return browser_; }

private:
    void updateTitle();

    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    bool placed_ = false;
};

} // namespace ksv
