#pragma once

// The factory number dialog of service mode: types a number into the current
// image and, with "изменить номер" ticked, lets the write command change the
// factory number bytes in the transceiver for the rest of the run.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ksv {

class ImageHost;

class TSNForm : public QDialog {
    Q_OBJECT
public:
    explicit TSNForm(ImageHost& host, QWidget* parent = nullptr);

    // Opens the dialog modally on the factory number of the current image, in
    // service mode; does nothing in other modes.
    void askForNumber();

    // "изменить номер" ticked: the factory number bytes may be written.
    bool numberChangeAllowed() const;

    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;

public slots:
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ImageHost& host_;
    QString openedNumber_; // the number the field was given on opening
};

} // namespace ksv
