#include "print/codepage.h"

#include "print/codepage_tables.h"

#include <QList>
#include <QStringView>

namespace ksv::print {

namespace {

QByteArray encode(const QString& text, const cp::UpperHalf& page) {
    QByteArray out;
    out.reserve(text.size());
    for (const char32_t u : QStringView(text).toUcs4()) {
        const int b = u < 32 ? -1 : cp::fromUnicode(page, u);
        out += b < 0 ? '?' : char(b);
    }
    return out;
}

QString decode(const QByteArray& bytes, const cp::UpperHalf& page) {
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const char32_t u = cp::toUnicode(page, static_cast<unsigned char>(c));
        out += u == 0 && c != 0 ? QChar(QChar::ReplacementCharacter) : QChar(char16_t(u));
    }
    return out;
}

} // namespace

QByteArray toCp1251(const QString& text) {
    return encode(text, cp::kCp1251);
}

QByteArray toCp866(const QString& text) {
    return encode(text, cp::kCp866);
}

QString fromCp1251(const QByteArray& bytes) {
    return decode(bytes, cp::kCp1251);
}

QString fromCp866(const QByteArray& bytes) {
    return decode(bytes, cp::kCp866);
}

} // namespace ksv::print
