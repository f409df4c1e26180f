#include "ui/dialogs/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace ksv {
namespace {

class BoxMessenger final : public Messenger {
public:
    void error(const QString& text) override { show(QMessageBox::Critical, text); }
    void information(const QString& text) override { show(QMessageBox::Information, text); }
    void plain(const QString& text) override { show(QMessageBox::NoIcon, text); }
    bool question(const QString& text) override { return ask(text, QMessageBox::Yes); }
    bool questionNoByDefault(const QString& text) override { return ask(text, QMessageBox::No); }

private:
    static bool ask(const QString& text, QMessageBox::StandardButton byDefault) {
        QMessageBox box(QMessageBox::Question, applicationTitle(), text,
                        QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
        box.setEscapeButton(QMessageBox::No);
        box.setDefaultButton(byDefault);
        return box.exec() == QMessageBox::Yes;
    }
    static void show(QMessageBox::Icon icon, const QString& text) {
        QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }
};

BoxMessenger& boxMessenger() {
    static BoxMessenger m;
    return m;
}

Messenger* current = nullptr;

} // namespace

QString applicationTitle() {
    return QStringLiteral("ПО \"Тарвен-52\"");
}

Messenger& messenger() {
    return current ? *current : boxMessenger();
}

void setMessenger(Messenger* m) {
    current = m;
}

} // namespace ksv
