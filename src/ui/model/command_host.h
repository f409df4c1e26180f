#pragma once

// What the commands of the main window's menus need of it besides its image:
// the history their steps go into, the program's other windows and its line,
// and a few answers only the window can give. The commands take this
// interface, never the window itself.

#include "ui/model/image_host.h"

namespace ksv {

struct AppWindows;
struct KeepResult;
class ImageHistory;
class WindowImage;

class CommandHost : public ImageHost {
public:
    virtual WindowImage& windowImage() = 0;
    virtual ImageHistory& history() = 0;
    virtual AppWindows& windows() = 0;

    // The image as the window shows it: the edits of the settings pages that
    // are not committed yet stored into a copy, without a message (what the
    // card prints and the comparison would write).
    virtual Image imageAsShown() = 0;
    // Service mode with "изменить номер" ticked: the factory number bytes
    // may be written into the transceiver.
    virtual bool numberChangeAllowed() = 0;
    // Appends a note to the text of the allowed ranges above the table.
    virtual void addRangeNote(const QString& note) = 0;
    // Says in the status bar where the state last read was kept.
    virtual void showKeptRead(const KeepResult& kept) = 0;
};

} // namespace ksv
