#pragma once

// The work behind the main window's commands. The window's handlers decide
// when a command may run (enabled items, operating mode) and call exactly one
// of these functions; what each command does belongs to its own layer and is
// wired here.

namespace ksv {

class TForm1;

namespace commands {

void newFile(TForm1& form);       // "Новый": type dialog (New form), default image, refresh
void openFile(TForm1& form);      // "Открыть"
void saveFile(TForm1& form);      // "Сохранить"
void print(TForm1& form);         // "Печать"
void readRadio(TForm1& form);     // "Чтение"
void writeRadio(TForm1& form);    // "Запись"
void writeSeries(TForm1& form);   // "Запись серии...": the series window, modal
void help(TForm1& form);          // "Вызов справки"
void about(TForm1& form);         // "О программе...": the About window, modal
void rawEditor(TForm1& form);     // "Редактирование" (service mode only)
void factoryNumber(TForm1& form); // click on the factory number (service mode only)
void quitHelp(TForm1& form);      // the main window closes: close any help window

// Port search from COM4 down to COM1: the port opened, or 0 when none could be.
int findPort(TForm1& form);
// Closes the open port and opens port n (1..4): true when it is open.
bool selectPort(TForm1& form, int n);

} // namespace commands
} // namespace ksv
