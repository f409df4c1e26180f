#include "ui/help/help_views.h"

#include <QRegularExpression>
#include <QSysInfo>

namespace ksv {

HelpSystem currentHelpSystem() {
    return QSysInfo::kernelType() == QLatin1String("winnt") ? HelpSystem::Windows
                                                            : HelpSystem::Linux;
}

QString helpPageFor(const QString& html, HelpSystem system) {
    const QString other =
        system == HelpSystem::Windows ? QStringLiteral("linux") : QStringLiteral("windows");
    const QRegularExpression marked(
        QStringLiteral("<!--only\\s+%1\\s*-->.*?<!--/only-->").arg(other),
        QRegularExpression::DotMatchesEverythingOption);
    // The marks of the parts kept go too: the help window drops the white
    // space after a comment, and "ports<!--/only--> (см." would read "ports(см.".
    static const QRegularExpression marks(QStringLiteral("<!--(only\\s+\\w+\\s*|/only)-->"));
    QString page = html;
    return page.remove(marked).remove(marks);
}

} // namespace ksv
