#pragma once

// Windows of other parts of the program that the main window creates at
// start and reaches through AppWindows. These are empty shells that carry
// the window's class name until the window itself is built; each is replaced
// by its real class, with the same name, when that lands.

#include <QDialog>

namespace ksv {

// About window, shown modally by "О программе...".
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TAboutForm"));
    }
};

// Raw data editor, the only window shown without blocking the main window.
class TEditWnd : public QDialog {
    Q_OBJECT
public:
    explicit TEditWnd(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TEditWnd"));
    }
};

// Print preview.
class TPrintForm : public QDialog {
    Q_OBJECT
public:
    explicit TPrintForm(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TPrintForm"));
    }
};

// Progress window of the exchange with the transceiver; owns the serial port.
class TRWForm : public QDialog {
    Q_OBJECT
public:
    explicit TRWForm(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TRWForm"));
    }
};

// Factory number entry.
class TSNForm : public QDialog {
    Q_OBJECT
public:
    explicit TSNForm(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TSNForm"));
    }
};

} // namespace ksv
