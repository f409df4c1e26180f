#pragma once

// A main window with its six companion windows, every message recorded, the
// program's end counted instead of performed.

#include "image/image.h"
#include "link/port_line.h"
#include "support/message_recorder.h"
#include "ui/dialogs/exchange_window.h"
#include "ui/dialogs/radio_type_dialog.h"
#include "ui/main/create_app_windows.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace ksv::test {

class FormTest : public ::testing::Test {
protected:
    void make(OperatingMode mode, bool runStartUpOnShow = false) {
        form = createAppWindows(mode);
        form->setRunStartUpOnShow(runStartUpOnShow);
        form->setEndProgram([this] { ++programEnds; });
        form->windows().radioTypeDialog->setEndProgram([this] { ++programEnds; });
        // Exchanges that find no transceiver give up after six short ticks.
        form->windows().line->exchange().setTimings({20, 10});
    }

    // Start-up as if the type had been chosen in the dialog.
    void start(OperatingMode mode, int type) {
        make(mode);
        form->show();
        form->startUpWithType(type);
        messages.clear();
    }

    void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    // The user picks an item of a list.
    static void choose(QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    const Image& image() { return form->currentImage(); }
    // Changes the window's image as a command would, without a refresh.
    template <class F> void editImage(F&& f) { form->windowImage().edit(std::forward<F>(f)); }
    SettingsControls& c() { return form->controls(); }
    // The table's cell of channel row, column col (1..7, as the table numbers
    // its columns after the channel number).
    QString cell(int col, int row) {
        return form->channels().text(form->channels().index(row - 1, col - 1));
    }
    // A text stored into that cell, as its editor stores what it accepts.
    void setCell(int col, int row, const QString& text) {
        form->channels().setData(form->channels().index(row - 1, col - 1), text);
    }

    MessageRecorder messages;
    std::unique_ptr<MainWindow> form;
    int programEnds = 0;
};

// Runs act once the widget is shown, from inside its modal loop.
inline void whenShown(QWidget* w, std::function<void()> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, w, act] {
        if (!w->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act();
    });
    timer->start(0);
}

} // namespace ksv::test
