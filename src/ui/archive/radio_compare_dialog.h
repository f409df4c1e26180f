#pragma once

// «Сравнение с радиостанцией»: what F5 would change in the set, field by
// field (set value, window value; only fields a write may change), in the
// words of the command line's diff; or the refusal F5 would give instead.
// «Записать» accepts the dialog (the caller then runs F5), «Закрыть» leaves
// everything as it was.

#include "operations/transceiver_commands.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace ksv {

class RadioCompareDialog : public QDialog {
    Q_OBJECT
public:
    // dryRun: the write command stopped before anything was sent.
    RadioCompareDialog(const WriteOutcome& dryRun, QWidget* parent = nullptr);

    QString summary() const;
    // The changes listed, "Канал 5, Частота ПРМ, кГц: 148000 → 149025".
    QStringList changes() const;
    bool writeOffered() const;

private:
    void fill(const WriteOutcome& dryRun);

    QLabel* heading_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* note_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* writeButton_ = nullptr;
};

} // namespace ksv
