#pragma once

// One QApplication for the window tests of this folder (offscreen platform).

#include <QApplication>

namespace ksv::test {

inline QApplication& testApp() {
    static int argc = 1;
    static char name[] = "files_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace ksv::test
