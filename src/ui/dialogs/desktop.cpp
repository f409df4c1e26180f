#include "ui/dialogs/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace ksv {
namespace {

class SystemDesktop final : public Desktop {
public:
    void beep() override { QApplication::beep(); }
    bool openFolder(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

Desktop* current = nullptr;

} // namespace

Desktop& desktop() {
    static SystemDesktop system;
    return current ? *current : system;
}

void setDesktop(Desktop* d) {
    current = d;
}

} // namespace ksv
