// A session of the window program, driven, for the check that it stores
// nothing (scripts/windows-test exports the registry before and after and
// compares): the main window with its companions, a file saved through the
// Save dialog into the folder given, opened again through the Open dialog,
// and the print preview shown and closed. Every modal window that opens is
// answered by a timer, as a user would answer it: the file dialogs are
// Windows' own, answered through their window (the name typed into the file
// name field, then "OK"). Windows only; not shipped.
//
//   ksv717n_session.exe <folder>      exit 0 when the file was saved and opened

#include "ui/main/create_app_windows.h"
#include "ui/main/main_window.h"
#include "ui/main/no_stored_settings.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <iostream>

#include <windows.h>

namespace {

// The system's file dialog open in this thread, or nullptr.
HWND systemFileDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (IsWindowVisible(w) && std::wstring(cls) == L"#32770") {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Types file into the first edit field of the dialog (its file name) and
// presses "OK"; false while the dialog has no such field yet.
bool answerSystemFileDialog(HWND dialog, const QString& file) {
    HWND edit = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (IsWindowVisible(w) && std::wstring(cls) == L"Edit") {
                *reinterpret_cast<HWND*>(out) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&edit));
    if (!edit)
        return false;
    const std::wstring name = QDir::toNativeSeparators(file).toStdWString();
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
}

// Answers the modal window on top: a file dialog gets the file's name, a
// message box its default button, any other dialog (the preview) is closed.
void answerModalWindows(const QString& file, QStringList& seen) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [file, &seen] {
        if (HWND dialog = systemFileDialog()) {
            wchar_t title[128] = {};
            GetWindowTextW(dialog, title, 128);
            if (answerSystemFileDialog(dialog, file))
                seen << QStringLiteral("system file dialog ") + QString::fromWCharArray(title);
            return;
        }
        QWidget* top = QApplication::activeModalWidget();
        if (!top || !top->isVisible())
            return;
        seen << top->metaObject()->className() + QStringLiteral(" ") + top->windowTitle();
        if (auto* files = qobject_cast<QFileDialog*>(top)) {
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
            static_cast<QDialog*>(files)->accept(); // as the Save or Open button
        } else if (auto* box = qobject_cast<QMessageBox*>(top)) {
            box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(top)) {
            dialog->reject();
        }
    });
    timer->start(300);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ksv::storeNoQtSettings();
    if (argc < 2) {
        std::cerr << "usage: ksv717n_session <folder>\n";
        return 2;
    }
    const QString file = QApplication::arguments().at(1) + QStringLiteral("/станция 654321.ust");
    QStringList seen;
    answerModalWindows(file, seen);

    const std::unique_ptr<ksv::MainWindow> form = ksv::createAppWindows(ksv::omUser);
    form->setRunStartUpOnShow(false);
    form->show();
    form->startUpWithType(0); // as if the type were chosen; the port search runs too
    form->saveFile();
    const bool saved = QFileInfo(file).size() == 256;
    form->openFile();
    form->printCard();
    for (const QString& s : seen)
        std::cout << "answered: " << s.toStdString() << "\n";
    std::cout << (saved ? "saved and opened " : "NOT saved: ") << file.toStdString() << "\n";
    return saved && seen.size() >= 3 ? 0 : 1;
}
