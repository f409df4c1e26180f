#pragma once

// The radio type dialog. It is shown in two forms: once at start-up, where a
// choice is compulsory (no "Отмена"; closing it ends the program), and by the
// command New, where it can be cancelled. The list position is the radio
// type value (0..5).

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace ksv {

class RadioTypeDialog : public QDialog { // TNewTypeForm
    Q_OBJECT
public:
    explicit RadioTypeDialog(QWidget* parent = nullptr);

    // Start-up form: item 0 preselected, no "Отмена". True when confirmed;
    // the chosen type is then written into rememberedType. False means the
    // dialog was closed without a choice and the end of the program has
    // already been requested.
    bool askStartType(int& rememberedType);

    // New form: the remembered type preselected, "Отмена" shown. True when
    // confirmed, with the choice written into rememberedType; otherwise the
    // remembered type is left alone.
    bool askNewType(int& rememberedType);

    // What closing the start-up form without a choice does; by default it
    // ends the application's event loops.
    void setEndProgram(std::function<void()> endProgram);

    // Item texts in list order, indexed by radio type.
    static const QStringList& itemTexts();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ask(int& rememberedType);
    void confirmChoice();
    void cancelChoice();

    QLabel* prompt_ = nullptr;
    QListWidget* typeList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    bool accepted_ = false;
    int* remembered_ = nullptr; // target of the current showing
    std::function<void()> endProgram_;
};

} // namespace ksv
