#pragma once

// The work behind the main window's commands. The window's handlers decide
// when a command may run (enabled items, operating mode) and call exactly one
// of these functions; what each command does belongs to its own layer and is
// wired here. They reach the window only through CommandHost.

#include "print/card_data.h"

namespace ksv {

class CommandHost;

namespace commands {

void newFile(CommandHost& host);  // "Новый": type dialog (New form), default image, refresh
void openFile(CommandHost& host); // "Открыть"
void saveFile(CommandHost& host); // "Сохранить"
void print(CommandHost& host);    // "Печать"
// The card "Печать" prints: the image the window shows, the settings edits
// not yet committed included (nothing is committed).
print::CardData cardToPrint(CommandHost& host);
void readRadio(CommandHost& host);     // "Чтение"
void writeRadio(CommandHost& host);    // "Запись"
void writeSeries(CommandHost& host);   // "Запись серии...": the series window, modal
void help(CommandHost& host);          // "Вызов справки"
void about(CommandHost& host);         // "О программе...": the About window, modal
void rawEditor(CommandHost& host);     // "Редактирование" (service mode only)
void factoryNumber(CommandHost& host); // click on the factory number (service mode only)
void quitHelp(CommandHost& host);      // the main window closes: close any help window

} // namespace commands
} // namespace ksv
