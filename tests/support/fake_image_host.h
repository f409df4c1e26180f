#pragma once

// An ImageHost without a window: it keeps the image, logs the calls the
// commands make, and answers the type dialog from a preset value.

#include "image/checksum.h"
#include "ui/model/image_host.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace ksv::test {

class FakeImageHost final : public ImageHost {
public:
    Image current;
    OperatingMode mode = omUser;
    int remembered = rtVehicleVhf;
    std::optional<int> newTypeAnswer; // nullopt: the type dialog is cancelled
    std::optional<int> preselectedForNew;
    bool showBufResult = true;
    QString file;      // the file in use
    QStringList calls; // "SetBuf", "ShowBuf", "chooseType", in order
    Image lastShown;   // the current image as the last ShowBuf saw it

    const Image& currentImage() const override { return current; }
    OperatingMode operatingMode() const override { return mode; }

    // Stores like the window would: bit 1 of byte 255 and a fresh checksum.
    void commitEdits() override {
        calls << QStringLiteral("SetBuf");
        current.set(map::Stored, true);
        storeChecksum(current);
    }
    bool showImage(const Image& image) override {
        current = image;
        calls << QStringLiteral("ShowBuf");
        lastShown = current;
        return showBufResult;
    }

    int rememberedRadioType() const override { return remembered; }
    std::optional<int> chooseRadioTypeForNew() override {
        calls << QStringLiteral("chooseType");
        preselectedForNew = remembered;
        if (newTypeAnswer)
            remembered = *newTypeAnswer;
        return newTypeAnswer;
    }

    QString fileInUse() const override { return file; }
    void setFileInUse(const QString& path) override { file = path; }
    QWidget* hostWindow() override { return nullptr; }
};

} // namespace ksv::test
