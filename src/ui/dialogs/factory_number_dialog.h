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

class FactoryNumberDialog : public QDialog { // TSNForm
    Q_OBJECT
public:
    explicit FactoryNumberDialog(ImageHost& host, QWidget* parent = nullptr);

    // Opens the dialog modally on the factory number of the current image, in
    // service mode; does nothing in other modes.
    void askForNumber();

    // "изменить номер" ticked: the factory number bytes may be written.
    bool numberChangeAllowed() const;

    QCheckBox* allowChangeBox = nullptr;
    QLabel* promptLine1 = nullptr;
    QLabel* promptLine2 = nullptr;
    QLineEdit* numberEdit = nullptr;
    QPushButton* okButton = nullptr;

public slots:
    void acceptNumber();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ImageHost& host_;
    QString openedNumber_; // the number the field was given on opening
};

} // namespace ksv
