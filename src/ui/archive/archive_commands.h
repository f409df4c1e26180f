#pragma once

// The main window's commands of the archive: «Архив радиостанций...» and
// «Сравнить с радиостанцией...».

namespace ksv {

class MainWindow;

namespace commands {

void showArchive(MainWindow& form);      // the archive window, modal
void compareWithRadio(MainWindow& form); // read the set, show what F5 would change

} // namespace commands
} // namespace ksv
