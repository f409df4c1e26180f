#pragma once

// What the main window offers to the commands and dialogs that work on its
// settings image (files, raw editor, factory number). They reach the window
// only through this interface, so they stand below it.

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

    virtual OperatingMode operatingMode() const = 0;

    // Takes the image and refreshes every control from it (ShowBuf); false
    // if the display failed.
    virtual bool showImage(const Image& image) = 0;
    // Commits the edits in progress into the image and recomputes its
    // checksum (SetBuf).
    virtual void commitEdits() = 0;

    // The radio type last confirmed in the type dialog.
    virtual int rememberedRadioType() const = 0;
    // Shows the type dialog in its "New" form (with Cancel). The chosen type,
    // which also becomes the remembered type, or nullopt when cancelled.
    virtual std::optional<int> chooseRadioTypeForNew() = 0;

    // The settings file in use: the one last opened or saved, empty at start
    // and after New. The status bar shows it ("Файл: ...").
    virtual QString fileInUse() const = 0;
    virtual void setFileInUse(const QString& path) = 0;

    // Parent for dialogs.
    virtual QWidget* hostWindow() = 0;
};

} // namespace ksv
