#pragma once

// The work behind the main window's commands. The window's handlers decide
// when a command may run (enabled items, operating mode) and call exactly one
// of these functions; what each command does belongs to its own layer and is
// wired here.

#include "print/card_data.h"

namespace ksv {

class MainWindow;

namespace commands {

void newFile(MainWindow& form);  // "Новый": type dialog (New form), default image, refresh
void openFile(MainWindow& form); // "Открыть"
void saveFile(MainWindow& form); // "Сохранить"
void print(MainWindow& form);    // "Печать"
// The card "Печать" prints: the image the window shows, the settings edits
// not yet committed included (nothing is committed).
print::CardData cardToPrint(MainWindow& form);
void readRadio(MainWindow& form);     // "Чтение"
void writeRadio(MainWindow& form);    // "Запись"
void writeSeries(MainWindow& form);   // "Запись серии...": the series window, modal
void help(MainWindow& form);          // "Вызов справки"
void about(MainWindow& form);         // "О программе...": the About window, modal
void rawEditor(MainWindow& form);     // "Редактирование" (service mode only)
void factoryNumber(MainWindow& form); // click on the factory number (service mode only)
void quitHelp(MainWindow& form);      // the main window closes: close any help window

} // namespace commands
} // namespace ksv
