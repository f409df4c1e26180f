#pragma once

// The page templates of the programming card: sheet 1 (channel table) and
// sheet 2 (general parameters and tone table), as code page 866 bytes. Lines
// end with CR LF and the template ends with a form feed. A "$" followed by
// one key character is a placeholder the composer replaces with a value.

#include <QByteArray>

namespace ksv::print {

const QByteArray& l1_tmp();
const QByteArray& l2_tmp();

} // namespace ksv::print
