#pragma once

// The card of a settings image without a window: what a freshly created main
// window would show after displaying that image.

#include "image/image.h"
#include "image/mode.h"
#include "print/card_data.h"

#include <QString>

namespace ksv::print {

// fileName is the path shown after "Файл: " (empty for none). The date is
// today's (currentDateText). Texts of lists whose stored value lies outside
// the list are empty, as a list without a selection shows.
CardData cardFromImage(const Image& image, OperatingMode mode, const QString& fileName);

// The card of the image a window shows, the L marks as the image holds them
// (a window whose priority scanning was already off when it showed the image
// keeps them). The print command's card.
CardData cardOfShownImage(const Image& image, OperatingMode mode, const QString& fileName);

} // namespace ksv::print
