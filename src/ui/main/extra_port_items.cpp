// The port items above COM4: on Windows every present port above COM4 (a USB
// adapter usually gets COM5 to COM20) gets an item after "COM&4" in both port
// menus, with the device's friendly name as tooltip and status tip. Linux has
// no such ports, and no such items.

#include "serial/port_map.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QMenu>

namespace ksv {

namespace {

// "COM&5" up to COM9; two-digit numbers without an accelerator, which would
// repeat those of COM1..COM9.
QString extraPortText(int n) {
    return n <= 9 ? QStringLiteral("COM&%1").arg(n) : QStringLiteral("COM%1").arg(n);
}

} // namespace

void MainWindow::showExtraPorts(const std::vector<PortMapping>& names) {
    std::vector<int> wanted;
    for (std::size_t i = 4; i < names.size(); ++i)
        wanted.push_back(names[i].com);
    std::vector<int> shown;
    for (const auto& [n, items] : extraPortItems_)
        shown.push_back(n);
    if (shown != wanted) {
        // Later: the item may be the one whose click is being handled.
        for (auto& [n, items] : extraPortItems_) {
            portMenu_->removeAction(items[0]);
            portPopup_->removeAction(items[1]);
            for (QAction* item : items)
                item->deleteLater();
        }
        extraPortItems_.clear();
        for (const int n : wanted) {
            // Named as the items of COM1..COM4.
            std::array<QAction*, 2> items{new QAction(extraPortText(n), this),
                                          new QAction(extraPortText(n), this)};
            items[0]->setObjectName(QStringLiteral("portItem%1").arg(n));
            items[1]->setObjectName(QStringLiteral("popupPortItem%1").arg(n));
            for (QAction* item : items) {
                item->setCheckable(true);
                connect(item, &QAction::triggered, this, [this, n] { selectPort(n); });
            }
            portMenu_->addAction(items[0]);
            portPopup_->addAction(items[1]);
            extraPortItems_.emplace_back(n, items);
        }
    }
    for (std::size_t i = 0; i < extraPortItems_.size(); ++i) {
        const auto& [n, items] = extraPortItems_[i];
        const QString tip = QString::fromStdString(portTipText(names[i + 4]));
        for (QAction* item : items) {
            item->setToolTip(tip);
            item->setStatusTip(tip);
            item->setChecked(checkedPort_ == n);
        }
    }
}

} // namespace ksv
