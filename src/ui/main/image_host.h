#pragma once

// What the main window offers to the commands that work on its settings
// image (files, raw editor, read and write, factory number). The commands live
// in their own layers and reach the window only through this interface.

#include "image/image.h"
#include "image/mode.h"

#include <QString>
#include <optional>

class QWidget;

namespace ksv {

class ImageHost {
public:
    virtual ~ImageHost() = default;

    // The image the window shows and edits.
    virtual const Image& currentImage() const = 0;
    // The second buffer a file or the transceiver is read into before it is accepted.
    virtual Image& incomingImage() = 0;

    virtual OperatingMode operatingMode() const = 0;

    // Takes the image and refreshes every control from it (ShowBuf); false
    // if the display failed.
    virtual bool showImage(const Image& image) = 0;
    // Commits the edits in progress into the image and recomputes its
    // checksum (SetBuf).
    virtual void commitEdits() = 0;

    // The radio type last confirmed in the type dialog.
    virtual int rememberedRadioType() const = 0;
    // Shows the type dialog in its "newAction" form (with Cancel). The chosen type,
    // which also becomes the remembered type, or nullopt when cancelled.
    virtual std::optional<int> chooseRadioTypeForNew() = 0;

    // Status bar panel 1 ("Файл: ...").
    virtual void setFileStatus(const QString& text) = 0;
    virtual QString fileStatus() const = 0;

    // Parent for dialogs.
    virtual QWidget* hostWindow() = 0;
};

} // namespace ksv
