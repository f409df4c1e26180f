#pragma once

// Page Up / Page Down in the frequency editors of the channel table: the
// next allowed frequency above or below the editor's text, searched in steps
// of 25 kHz so that the gap between two allowed ranges is crossed.

#include "image/codecs.h"

#include <QString>

namespace ksv {

enum class StepDirection { Up, Down };

// How many 25 kHz steps a search tries before it gives up (25 MHz).
constexpr int kSearchSteps = 1000;

// Receive editor. `text` is the editor's text, `cell` the text of the cell
// being edited; the result is the editor's new text. A text that is not six
// characters long is first replaced by the cell's text. A text that is no
// number ("Откл") counts as lying below the lowest allowed frequency: Page Up
// gives the lowest bound, Page Down leaves it as it is.
QString receiveStep(const QString& text, const QString& cell, StepDirection dir,
                    const RangeTable& ranges);

// Transmit editor: as the receive editor, except that Page Down walks from the
// lowest bound to "Откл" and Page Up from "Откл" to the lowest bound.
QString transmitStep(const QString& text, const QString& cell, StepDirection dir,
                     const RangeTable& ranges);

} // namespace ksv
