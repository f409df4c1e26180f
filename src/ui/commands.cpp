#include "ui/commands.h"

#include "image/defaults.h"
#include "ui/main_window.h"
#include "ui/placeholder_windows.h"

namespace ksv::commands {

void newFile(TForm1& form) {
    const std::optional<int> type = form.chooseRadioTypeForNew();
    if (!type)
        return;
    LoadDefault(*type, form.currentImage());
    form.ShowBuf();
}

void openFile(TForm1&) {}

void saveFile(TForm1&) {}

void print(TForm1&) {}

void readRadio(TForm1&) {}

void writeRadio(TForm1&) {}

void help(TForm1&) {}

void about(TForm1& form) {
    if (TAboutForm* about = form.windows().about)
        about->exec();
}

void rawEditor(TForm1&) {}

void factoryNumber(TForm1&) {}

void quitHelp(TForm1&) {}

int findPort(TForm1&) {
    return 0;
}

bool selectPort(TForm1&, int) {
    return false;
}

} // namespace ksv::commands
