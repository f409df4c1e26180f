#pragma once

// The About window: the program's name and version, the transceivers it
// programs, and the libraries it uses with their licences.

#include <QDialog>

namespace ksv {

class AboutDialog : public QDialog { // TAboutForm
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Shows the window modally (the main window's "О программе...").
    void showAbout();

    // "1.2"
    static QString version();
};

} // namespace ksv
