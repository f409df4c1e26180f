#include "files/file_names.h"

#include "serial/os/file_system.h"
#include "serial/os/utf8.h"

#include <QCoreApplication>

namespace ksv {
namespace {

constexpr char16_t kFirstEscape = 0xDC80; // the byte 0x80
constexpr char16_t kLastEscape = 0xDCFF;  // the byte 0xFF

// Whether text[i] stands for a byte that was not UTF-8: a low surrogate of
// that range without a high one before it.
bool isEscape(const QString& text, qsizetype i) {
    const char16_t c = text[i].unicode();
    return c >= kFirstEscape && c <= kLastEscape && (i == 0 || !text[i - 1].isHighSurrogate());
}

} // namespace

QString nameFromSystem(std::string_view name) {
    if constexpr (!os::kNamesAreBytes)
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    QString text;
    std::size_t run = 0; // where the valid UTF-8 not yet decoded starts
    for (std::size_t i = 0; i < name.size();) {
        if (const std::size_t length = os::utf8SequenceLength(name, i)) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(name.data() + run, static_cast<qsizetype>(i - run));
        text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(name[i])));
        run = ++i;
    }
    return text + QString::fromUtf8(name.data() + run, static_cast<qsizetype>(name.size() - run));
}

std::string nameForSystem(const QString& name) {
    if constexpr (!os::kNamesAreBytes)
        return name.toStdString();
    std::string bytes;
    qsizetype run = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isEscape(name, i))
            continue;
        bytes += name.mid(run, i - run).toStdString();
        bytes += static_cast<char>(name[i].unicode() - 0xDC00);
        run = i + 1;
    }
    return bytes + name.mid(run).toStdString();
}

QString shownName(const QString& text) {
    QString shown = text;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (isEscape(text, i))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

QStringList commandLineArguments(int argc, char** argv) {
    QStringList args;
    if constexpr (os::kNamesAreBytes) {
        for (int i = 1; i < argc; ++i)
            args << nameFromSystem(argv[i]);
    } else {
        // The system's UTF-16 command line, as Qt reads it.
        args = QCoreApplication::arguments().mid(1);
    }
    return args;
}

} // namespace ksv
