#pragma once

// One help book for both systems: what only one system needs is marked in
// the pages, and each reader sees the steps of the system in use.
//
//   <!--only linux-->sudo usermod -aG dialout $USER<!--/only-->
//   <!--only windows-->«Диспетчер устройств» → «Порты (COM и LPT)»<!--/only-->
//
// A mark may enclose any run of text or elements, within a paragraph or
// across several; marks do not nest.

#include <QString>

namespace ksv {

enum class HelpSystem { Linux, Windows };

// The system the program runs on.
HelpSystem currentHelpSystem();

// The page as a reader on system sees it: the parts marked for the other
// system left out, and the marks of the parts kept.
QString helpPageFor(const QString& html, HelpSystem system);

} // namespace ksv
