#include "ui/grid/channel_steps.h"

namespace ksv {

namespace {

const QString kOffText = QString::fromUtf8(kOff);

QString lowestBound(const RangeTable& ranges) {
    return ranges.count > 0 ? QString::number(ranges.ranges[0].min) : QString();
}

bool allowed(int khz, const RangeTable& ranges) {
    return TestFrq(QString::number(khz).toStdString(), ranges).ok;
}

// The step search from a six-character text; the text itself when nothing is
// found within kSearchSteps steps.
QString search(const QString& text, StepDirection dir, const RangeTable& ranges) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number)
        return dir == StepDirection::Up && ranges.count > 0 ? lowestBound(ranges) : text;
    const int sign = dir == StepDirection::Up ? 1 : -1;
    for (int i = 1; i <= kSearchSteps; ++i) {
        const int candidate = value + sign * kStep * i;
        if (allowed(candidate, ranges))
            return QString::number(candidate);
    }
    return text;
}

QString sixOrCell(const QString& text, const QString& cell) {
    return text.size() == 6 ? text : cell;
}

} // namespace

QString receiveStep(const QString& text, const QString& cell, StepDirection dir,
                    const RangeTable& ranges) {
    return search(sixOrCell(text, cell), dir, ranges);
}

QString transmitStep(const QString& text, const QString& cell, StepDirection dir,
                     const RangeTable& ranges) {
    const QString lowest = lowestBound(ranges);
    if (dir == StepDirection::Up) {
        if (text == kOffText)
            return lowest;
        const QString from = sixOrCell(text, cell);
        return from == kOffText ? lowest : search(from, dir, ranges);
    }
    if (text == kOffText)
        return text;
    if (text == lowest)
        return kOffText;
    const QString from = sixOrCell(text, cell);
    return from == lowest ? kOffText : search(from, dir, ranges);
}

} // namespace ksv
