#pragma once

// The font of the program's windows. Every text of the program is Russian:
// a desktop font without Cyrillic letters makes Qt draw the Latin letters of
// a caption in it and the Cyrillic ones in another font, as Wine without
// Windows' fonts shows ("COM порт" in two fonts, figures in a serif math
// font). Such a font is replaced by one that has Cyrillic.

#include <QString>
#include <QStringList>
#include <functional>

namespace ksv {

// The family to use instead of current, or "" when current has Cyrillic.
// hasCyrillic and isFixedPitch describe installed families; families lists
// the installed ones that have Cyrillic, in the font database's order.
QString familyForCyrillic(const QString& current, const QStringList& families,
                          const std::function<bool(const QString&)>& hasCyrillic,
                          const std::function<bool(const QString&)>& isFixedPitch);

// Applies it to the application, keeping the desktop font's size. Called
// once, after the application object is made and before the first window.
void useFontWithCyrillic();

} // namespace ksv
