// Choosing a port by number and searching from COM4 down to COM1.
#include "link/port_exchange.h"
#include "link/port_selection.h"
#include "link_test_util.h"
#include "support/transceiver_sim.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace ksv;
using namespace ksv::test;

namespace {

struct Ports {
    Ports() { configureSerialPort(port); }
    // Maps COM n to a fresh pseudo-terminal.
    const std::string& attach(int n) {
        ptys.push_back(std::make_unique<PtyPair>());
        maps.push_back(std::make_unique<ScopedPortMapping>(n, ptys.back()->path()));
        return ptys.back()->path();
    }
    std::vector<std::unique_ptr<PtyPair>> ptys;
    std::vector<std::unique_ptr<ScopedPortMapping>> maps;
    SerialPort port;
    QTimer timer;
    EventLoopExchangeView view;
    PortExchange exchange{port, timer, view};
};

} // namespace

TEST(PortSelection, NoFreePortFound) {
    Ports p; // all four names point at absent paths
    const PortChoice c = autoDetectPort(p.exchange);
    EXPECT_FALSE(c.opened);
    EXPECT_EQ(c.errorText, QString::fromUtf8("Свободный COM порт не найден"));
    EXPECT_FALSE(p.port.Open());
    EXPECT_EQ(p.port.ComNumber(), 1);
    EXPECT_EQ(p.exchange.openPort(), 0);
}

TEST(PortSelection, SearchTakesTheHighestFreePort) {
    {
        Ports p;
        p.attach(1);
        const PortChoice c = autoDetectPort(p.exchange);
        EXPECT_TRUE(c.opened);
        EXPECT_EQ(c.port, 1);
        EXPECT_EQ(c.statusText, QString::fromUtf8("Порт: COM1"));
    }
    {
        Ports p;
        for (int n = 1; n <= 4; ++n)
            p.attach(n);
        EXPECT_TRUE(p.exchange.FindPort());
        EXPECT_EQ(p.exchange.openPort(), 4);
    }
    {
        Ports p;
        const std::string com4 = p.attach(4);
        p.attach(3);
        ForeignHolder holder(com4); // held by another program: skipped
        ASSERT_TRUE(holder.holding());
        const PortChoice c = autoDetectPort(p.exchange);
        EXPECT_EQ(c.port, 3);
        EXPECT_EQ(c.statusText, QString::fromUtf8("Порт: COM3"));
    }
}

TEST(PortSelection, FailedChoiceClosesThePreviousPort) {
    Ports p;
    p.attach(2);
    const std::string com3 = p.attach(3);
    ASSERT_TRUE(choosePort(p.exchange, 2).opened);
    EXPECT_EQ(p.exchange.openPort(), 2);
    EXPECT_TRUE(choosePort(p.exchange, 2).opened); // the open port again: closed and reopened

    ForeignHolder holder(com3);
    ASSERT_TRUE(holder.holding());
    const PortChoice c = choosePort(p.exchange, 3);
    EXPECT_FALSE(c.opened);
    EXPECT_EQ(c.errorText, QString::fromUtf8("Порт COM3 не доступен"));
    EXPECT_FALSE(p.port.Open());
    EXPECT_EQ(choosePort(p.exchange, 4).errorText, QString::fromUtf8("Порт COM4 не доступен"));
}
