// The port items above COM4 that Windows machines get (names as
// windowsComMappings gives them): after COM4 in both port menus, with the
// friendly name as tips, marked when open, and gone with their port.

#include "form_fixture.h"
#include "serial/port_map.h"

#include <QAction>
#include <QMenu>

namespace ksv::test {
namespace {

using ExtraPortItemsTest = FormTest;

std::vector<PortMapping> namesWith(const std::vector<WindowsPort>& present) {
    return windowsComMappings(present, [](const std::string&) { return std::nullopt; });
}

QStringList texts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << a->text();
    return out;
}

TEST_F(ExtraPortItemsTest, FollowComFourWithTheirDevicesNamesAndMark) {
    start(omUser, rtVehicleVhf);
    form->applyPortResult(5);
    form->showExtraPorts(namesWith({{5, "USB Serial Port (COM5)", {}}, {12, {}, "\\Device\\X"}}));
    EXPECT_EQ(form->statusPanel(0), QStringLiteral("Порт: COM5"));
    for (const char* menu : {"portMenu", "portPopup"})
        EXPECT_EQ(texts(form->findChild<QMenu*>(menu)).mid(2),
                  (QStringList{"COM&1", "COM&2", "COM&3", "COM&4", "COM&5", "COM12"}))
            << menu;
    const struct {
        const char* item;
        const char* tip;
        bool checked;
    } items[] = {{"popupPortItem5", "USB Serial Port", true},
                 {"portItem5", "USB Serial Port", true},
                 {"popupPortItem12", "последовательный порт", false},
                 {"portItem12", "последовательный порт", false}};
    for (const auto& i : items) {
        const QAction* a = form->findChild<QAction*>(i.item);
        ASSERT_TRUE(a) << i.item;
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(i.tip)) << i.item;
        EXPECT_EQ(a->statusTip(), QString::fromUtf8(i.tip)) << i.item;
        EXPECT_EQ(a->isChecked(), i.checked) << i.item;
    }

    form->showExtraPorts(namesWith({{12, {}, {}}})); // the adapter on COM5 unplugged
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->findChild<QAction*>("popupPortItem5"), nullptr);
    EXPECT_EQ(texts(form->findChild<QMenu*>("portMenu")).mid(6), QStringList{"COM12"});
}

} // namespace
} // namespace ksv::test
