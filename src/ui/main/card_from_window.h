#pragma once

// The programming card's data as the main window shows it: the texts of its
// controls and channel cells, read the way the printout needs them.

#include "print/card_data.h"

namespace ksv {

class TForm1;

print::CardData cardFromWindow(TForm1& form);

} // namespace ksv
