#include "ui/grid/channel_steps.h"

#include <gtest/gtest.h>

namespace ksv {
namespace {

const QString kOffText = QString::fromUtf8(kOff);
const RangeTable kUserVhf = DiapTxt(rtVehicleVhf, omUser).ranges;

QString rx(const QString& text, StepDirection dir, const QString& cell = QStringLiteral("148000")) {
    return receiveStep(text, cell, dir, kUserVhf);
}
QString tx(const QString& text, StepDirection dir, const QString& cell = QStringLiteral("148000")) {
    return transmitStep(text, cell, dir, kUserVhf);
}

constexpr auto Up = StepDirection::Up;
constexpr auto Down = StepDirection::Down;

TEST(FrequencyStep, CrossesTheGapBetweenRangesAndStopsAtTheTop) {
    EXPECT_EQ(rx("149000", Up), "171150");
    EXPECT_EQ(rx("171150", Down), "149000");
    EXPECT_EQ(rx("148000", Up), "148025");
    EXPECT_EQ(rx("173000", Up), "173000");
    EXPECT_EQ(rx("148000", Down), "148000");
    // A value below every range walks up into the first one.
    EXPECT_EQ(rx("100000", Up), "100000"); // 1000 steps reach only 125000
    EXPECT_EQ(rx("147000", Up), "148000");
    // The UHF gap 453000..460000 is crossed as well.
    const RangeTable uhf = DiapTxt(rtVehicleUhf, omUser).ranges;
    EXPECT_EQ(receiveStep("453000", "", Up, uhf), "460000");
}

TEST(FrequencyStep, OffGridValueNeverReachesAMultipleOf25) {
    EXPECT_EQ(rx("148010", Up), "148010");
    EXPECT_EQ(rx("148010", Down), "148010");
}

TEST(FrequencyStep, ShortTextIsReplacedByTheCellFirst) {
    EXPECT_EQ(rx("1480", Up, "149000"), "171150");
    // Nothing found: the cell's text stays in the editor.
    EXPECT_EQ(rx("", Up, "173000"), "173000");
}

TEST(FrequencyStep, ReceiveOffCountsAsBelowTheLowestBound) {
    EXPECT_EQ(rx(kOffText, Up, kOffText), "148000");
    EXPECT_EQ(rx(kOffText, Down, kOffText), kOffText);
    EXPECT_EQ(rx("12", Up, kOffText), "148000");
}

TEST(FrequencyStep, TransmitWalksBetweenLowestBoundAndOff) {
    EXPECT_EQ(tx("148000", Down), kOffText);
    EXPECT_EQ(tx(kOffText, Up), "148000");
    EXPECT_EQ(tx(kOffText, Down), kOffText);
    EXPECT_EQ(tx("148025", Down), "148000");
    EXPECT_EQ(tx("149000", Up), "171150");
    // A short text falls back to the cell, which may be off or the lowest bound.
    EXPECT_EQ(tx("14", Up, kOffText), "148000");
    EXPECT_EQ(tx("14", Down, "148000"), kOffText);
    EXPECT_EQ(tx("14", Down, kOffText), kOffText);
    EXPECT_EQ(tx("14", Up, "172975"), "173000");
    // One range (service mode): the lowest bound is its lower limit.
    const RangeTable service = DiapTxt(rtVehicleUhf, omService).ranges;
    EXPECT_EQ(transmitStep("450000", "", Down, service), kOffText);
    EXPECT_EQ(transmitStep(kOffText, "", Up, service), "450000");
}

} // namespace
} // namespace ksv
