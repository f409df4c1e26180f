#include "ui/main/ui_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

namespace ksv {
namespace {

// What Windows and Linux desktops write Russian with, in this order.
const char* const kPreferred[] = {"Segoe UI",  "Tahoma",      "Verdana",         "Arial",
                                  "Noto Sans", "DejaVu Sans", "Liberation Sans", "PT Sans"};

} // namespace

QString familyForCyrillic(const QString& current, const QStringList& families,
                          const std::function<bool(const QString&)>& hasCyrillic,
                          const std::function<bool(const QString&)>& isFixedPitch) {
    if (hasCyrillic(current))
        return {};
    for (const char* name : kPreferred) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family, Qt::CaseInsensitive) && hasCyrillic(family))
            return family;
    }
    // Any proportional family for text; a math or symbol font is no text font.
    for (const QString& family : families)
        if (hasCyrillic(family) && !isFixedPitch(family) &&
            !family.contains(QStringLiteral("Math"), Qt::CaseInsensitive) &&
            !family.contains(QStringLiteral("Symbol"), Qt::CaseInsensitive))
            return family;
    return {};
}

void useFontWithCyrillic() {
    QFont font = QApplication::font();
    const auto hasCyrillic = [](const QString& family) {
        return QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic);
    };
    const auto fixedPitch = [](const QString& family) {
        return QFontDatabase::isFixedPitch(family);
    };
    const QString family = familyForCyrillic(QFontInfo(font).family(),
                                             QFontDatabase::families(QFontDatabase::Cyrillic),
                                             hasCyrillic, fixedPitch);
    if (family.isEmpty())
        return;
    font.setFamilies({family});
    // Without a class name this also drops the desktop's fonts per kind of
    // window (menus, message boxes, headers), which named the same family.
    QApplication::setFont(font);
}

} // namespace ksv
