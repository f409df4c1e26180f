#pragma once

// Every message box of the program goes through one Messenger, so that tests
// can put a recorder in its place and assert each text. Boxes are modal, carry
// the application title and a single OK button; only the question offers Yes
// and No.

#include <QString>

class QWidget;

namespace ksv {

// The application title, shown on the task bar and on every message box.
QString applicationTitle();

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void error(const QString& text) = 0;       // refusals and failures
    virtual void information(const QString& text) = 0; // notices such as "Данные считаны"
    virtual void plain(const QString& text) = 0;       // a plain box without icon
    // Yes/No question; true only for Yes. Closing the box any other way is No.
    virtual bool question(const QString& text) = 0;
    // The same, with No as the default button: for a question whose Yes
    // risks the user's data.
    virtual bool questionNoByDefault(const QString& text) { return question(text); }
};

// The messenger in use; by default one that shows real message boxes.
Messenger& messenger();

// Replaces the messenger (tests); nullptr restores the default. The caller
// keeps ownership.
void setMessenger(Messenger* m);

} // namespace ksv
