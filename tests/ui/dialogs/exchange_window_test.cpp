// The progress window of an exchange, against the transceiver simulator on
// a pseudo-terminal.
#include "link/port_line.h"
#include "support/test_app.h"
#include "support/transceiver_sim.h"
#include "support/write_lists.h"
#include "ui/dialogs/exchange_window.h"

#include <QDir>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace ksv;
using namespace ksv::test;

namespace {

const ExchangeTimings kFast{200, 10};

} // namespace

TEST(ProgressWindow, ShowsTheExchangeAndEndsItWhenClosed) {
    ksv::test::testApp();
    TransceiverSim sim;
    sim.setImage(sampleTransceiverImage());
    sim.start();
    ScopedPortMapping com2(2, sim.devicePath());
    ExchangeWindow form;
    PortLine line(form);
    form.onClose = [&] { line.exchange().userClosed(); };
    PortExchange& exchange = line.exchange();
    exchange.setTimings(kFast);
    ASSERT_TRUE(exchange.SelectPort(2));
    EXPECT_EQ(exchange.openPort(), 2);

    QString captionSeen;
    std::vector<int> shown;
    QObject::connect(form.progressBar, &QProgressBar::valueChanged, &form, [&](int v) {
        captionSeen = form.windowTitle();
        shown.push_back(v);
        if (const char* dir = std::getenv("KSV_SHOT_DIR"); dir && v == 128)
            form.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath("rw_form.png"));
    });
    Image image;
    std::uint8_t status;
    ASSERT_TRUE(exchange.ReadData(image, status));
    EXPECT_EQ(captionSeen, QString::fromUtf8("Чтение данных: "));
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(form.progressBar->value(), 256);
    EXPECT_EQ(form.progressBar->text(), QStringLiteral("100%"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(line.timer().isActive());

    // The user closes the window of an exchange that would take seconds.
    sim.setFaults(SimFaults{.silent = true});
    exchange.setTimings(ExchangeTimings{});
    QTimer::singleShot(100, &form, [&] {
        captionSeen = form.windowTitle();
        form.close();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(exchange.WriteData(writeListOf({{40, 1}})));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(captionSeen, QString::fromUtf8("Запись данных: "));
    EXPECT_FALSE(line.timer().isActive());
    EXPECT_TRUE(sim.records().empty());
}
