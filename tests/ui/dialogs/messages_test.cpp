// The message boxes the user sees: only Yes answers a question with yes;
// Escape and the close box both count as No.

#include "ui/dialogs/messages.h"

#include "support/test_app.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace ksv {
namespace {

QApplication& app() {
    return test::testApp();
}

// Runs act on the message box once it is open, from inside its modal loop.
void onBox(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(box);
    });
    timer->start(0);
}

TEST(MessageBoxes, OnlyYesAnswersTheQuestionWithYes) {
    app();
    const QString text = QStringLiteral("Выйти из программы?");
    QString shown;
    QString title;
    onBox([&](QMessageBox* box) {
        shown = box->text();
        title = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(messenger().question(text));
    EXPECT_EQ(shown, text);
    EXPECT_EQ(title, applicationTitle());

    onBox([](QMessageBox* box) { box->close(); }); // the close box
    EXPECT_FALSE(messenger().question(text));

    onBox([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_FALSE(messenger().question(text));

    onBox([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(messenger().question(text));
}

TEST(MessageBoxes, ErrorHasTheTitleAndOneOkButton) {
    app();
    QList<QMessageBox::StandardButton> buttons;
    onBox([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            buttons << box->standardButton(b);
        EXPECT_EQ(box->windowTitle(), applicationTitle());
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    messenger().error(QStringLiteral("Нет соединения"));
    EXPECT_EQ(buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
}

} // namespace
} // namespace ksv
