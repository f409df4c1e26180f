#pragma once

// Window texts to the single-byte code pages of the programming card: 1251
// for values drawn in wf13x22, 866 for the templates and the tone table drawn
// in df13x22. A character the code page lacks becomes "?". So does a control
// character (code below 32): the page writer would take it as a line break,
// and a file name may well contain one.

#include <QByteArray>
#include <QString>

namespace ksv::print {

QByteArray toCp1251(const QString& text);
QByteArray toCp866(const QString& text);

// The reverse, for showing what a page holds; unassigned codes become U+FFFD.
QString fromCp1251(const QByteArray& bytes);
QString fromCp866(const QByteArray& bytes);

} // namespace ksv::print
