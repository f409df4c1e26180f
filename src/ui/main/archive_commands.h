#pragma once

// The main window's commands of the archive: «Архив радиостанций...» and
// «Сравнить с радиостанцией...».

namespace ksv {

class CommandHost;

namespace commands {

void showArchive(CommandHost& host);      // the archive window, modal
void compareWithRadio(CommandHost& host); // read the set, show what F5 would change

} // namespace commands
} // namespace ksv
