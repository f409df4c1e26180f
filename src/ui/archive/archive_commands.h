#pragma once

// The main window's commands of the archive: «Архив радиостанций...» and
// «Сравнить с радиостанцией...».

namespace ksv {

class TForm1;

namespace commands {

void showArchive(TForm1& form);      // the archive window, modal
void compareWithRadio(TForm1& form); // read the set, show what F5 would change

} // namespace commands
} // namespace ksv
