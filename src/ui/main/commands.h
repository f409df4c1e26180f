#pragma once

// The work behind the main window's commands. The window's handlers decide
// when a command may run (enabled items, operating mode) and call exactly one
// of these functions; what each command does belongs to its own layer and is
// wired here.

#include "print/card_data.h"

namespace ksv {

class TForm1;

namespace commands {

void newFile(TForm1& form);  // "Новый": type dialog (New form), default image, refresh
void openFile(TForm1& form); // "Открыть"
void saveFile(TForm1& form); // "Сохранить"
void print(TForm1& form);    // "Печать"
// The card "Печать" prints: the image the window shows, the settings edits
// not yet committed included (nothing is committed).
print::CardData cardToPrint(TForm1& form);
void readRadio(TForm1& form);     // "Чтение"
void writeRadio(TForm1& form);    // "Запись"
void writeSeries(TForm1& form);   // "Запись серии...": the series window, modal
void help(TForm1& form);          // "Вызов справки"
void about(TForm1& form);         // "О программе...": the About window, modal
void rawEditor(TForm1& form);     // "Редактирование" (service mode only)
void factoryNumber(TForm1& form); // click on the factory number (service mode only)
void quitHelp(TForm1& form);      // the main window closes: close any help window

} // namespace commands
} // namespace ksv
