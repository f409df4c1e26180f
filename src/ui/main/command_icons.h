#pragma once

// Pictures of the nine commands of the main window. They come from the
// desktop's icon theme when it has all nine, so that the set stays
// consistent; otherwise from a built-in set.

#include <QIcon>

namespace ksv {

enum class CommandIcon { New = 0, Open, Save, Print, ComPort, Read, Write, Help, Exit };
constexpr int kCommandIconCount = 9;

QIcon commandIcon(CommandIcon which);

} // namespace ksv
