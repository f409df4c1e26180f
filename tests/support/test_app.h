#pragma once

// One QApplication for the window tests of this folder (offscreen platform).

#include <QApplication>

namespace ksv::test {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit, Qt's own globals may already be gone, and
    // destroying the application after them crashes.
    static QApplication* app =
        qApp ? static_cast<QApplication*>(qApp) : new QApplication(argc, argv);
    return *app;
}

} // namespace ksv::test
