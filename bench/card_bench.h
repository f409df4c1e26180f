#pragma once

// Composing and rendering both sheets of the programming card at 600 dpi
// into a PDF file, in this process, as printing to a file does.

#include "samples.h"

#include <QString>

namespace ksv::bench {

CardSample renderCard600(const QString& pdfPath);

} // namespace ksv::bench
