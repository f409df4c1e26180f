#pragma once

// The progress window of the exchange with the transceiver, as an empty
// shell until the device link provides it.

#include <QDialog>

namespace ksv {

// Progress window of the exchange with the transceiver; owns the serial port.
class TRWForm : public QDialog {
    Q_OBJECT
public:
    explicit TRWForm(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName(QStringLiteral("TRWForm"));
    }
};

} // namespace ksv
