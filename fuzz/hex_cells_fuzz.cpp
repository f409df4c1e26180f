// The raw editor's hexadecimal cells. hexPair on every pair of input bytes
// must agree with the plain rule (two upper-case hexadecimal digits); the
// editor's Apply, given the input as the texts of its 256 cells, must either
// store exactly the values those texts begin with, or refuse with a message
// and change no byte.
#include "fuzz_check.h"
#include "image/codecs.h"
#include "ui/dialogs/messages.h"
#include "ui/dialogs/raw_editor.h"
#include "ui/model/image_host.h"

#include <QApplication>
#include <QStringList>
#include <cstdlib>

using namespace ksv;

namespace {

int digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Host final : public ImageHost {
public:
    Image current;
    int shows = 0;
    const Image& currentImage() const override { return current; }
    OperatingMode operatingMode() const override { return omService; }
    void commitEdits() override {}
    bool showImage(const Image& image) override {
        current = image;
        ++shows;
        return true;
    }
    int rememberedRadioType() const override { return 0; }
    std::optional<int> chooseRadioTypeForNew() override { return std::nullopt; }
    QString fileInUse() const override { return {}; }
    void setFileInUse(const QString&) override {}
    QWidget* hostWindow() override { return nullptr; }
};

class Recorder final : public Messenger {
public:
    int errors = 0;
    void error(const QString&) override { ++errors; }
    void information(const QString&) override { FUZZ_CHECK(false); }
    void plain(const QString&) override { FUZZ_CHECK(false); }
    bool question(const QString&) override {
        FUZZ_CHECK(false);
        return false;
    }
};

struct Editor {
    Host host;
    Recorder messages;
    RawEditor window{host};
    Editor() { setMessenger(&messages); }
};

Editor& editor() {
    static Editor* e = new Editor;
    return *e;
}

std::optional<std::uint8_t> expectedValue(const QString& text) {
    if (text.size() < 2 || text[0].unicode() > 0x7F || text[1].unicode() > 0x7F)
        return std::nullopt;
    const int hi = digit(static_cast<char>(text[0].unicode()));
    const int lo = digit(static_cast<char>(text[1].unicode()));
    if (hi < 0 || lo < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(16 * hi + lo);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const char hi = static_cast<char>(data[i]);
        const char lo = static_cast<char>(data[i + 1]);
        const auto v = hexPair(hi, lo);
        const int a = digit(hi), b = digit(lo);
        FUZZ_CHECK(v.has_value() == (a >= 0 && b >= 0));
        if (v)
            FUZZ_CHECK(*v == 16 * a + b);
    }

    // The input as UTF-8 text, one cell per line; missing cells hold "00".
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split(QLatin1Char('\n'));
    Editor& e = editor();
    e.host.current = Image();
    for (int i = 0; i < static_cast<int>(kImageSize); ++i)
        e.host.current[i] = static_cast<std::uint8_t>(i);
    const Image before = e.host.current;
    const int shows = e.host.shows;
    const int errors = e.messages.errors;

    std::array<std::optional<std::uint8_t>, kImageSize> expected{};
    bool allValid = true;
    for (int i = 0; i < static_cast<int>(kImageSize); ++i) {
        const QString text = i < lines.size() ? lines[i] : QStringLiteral("00");
        e.window.setCellText(i % 16 + 1, i / 16 + 1, text);
        expected[static_cast<std::size_t>(i)] = expectedValue(text);
        allValid = allValid && expected[static_cast<std::size_t>(i)].has_value();
    }
    e.window.apply();

    if (allValid) {
        FUZZ_CHECK(e.messages.errors == errors);
        FUZZ_CHECK(e.host.shows == shows + 1);
        for (int i = 0; i < static_cast<int>(kImageSize); ++i)
            FUZZ_CHECK(e.host.current[i] == *expected[static_cast<std::size_t>(i)]);
    } else {
        FUZZ_CHECK(e.messages.errors == errors + 1);
        FUZZ_CHECK(e.host.shows == shows);
        FUZZ_CHECK(e.host.current == before);
    }
    return 0;
}
