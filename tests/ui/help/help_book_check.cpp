#include "help_book_check.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace ksv::test {

namespace {

bool identifierChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QChar unescaped(QChar c) {
    if (c == QLatin1Char('n') || c == QLatin1Char('t') || c == QLatin1Char('r'))
        return QLatin1Char(' ');
    return c; // \" \\ \' and anything else stand for the character itself
}

// An ordinary literal from the opening quote at i; i ends after the closing one.
QString plainLiteral(const QString& src, qsizetype& i) {
    QString text;
    for (++i; i < src.size() && src[i] != QLatin1Char('"'); ++i) {
        if (src[i] == QLatin1Char('\\') && i + 1 < src.size())
            text += unescaped(src[++i]);
        else
            text += src[i];
    }
    ++i;
    return text;
}

// A raw literal R"delim(...)delim" from the opening quote at i.
QString rawLiteral(const QString& src, qsizetype& i) {
    const qsizetype open = src.indexOf(QLatin1Char('('), i);
    const QString close = QLatin1Char(')') + src.mid(i + 1, open - i - 1) + QLatin1Char('"');
    qsizetype end = src.indexOf(close, open);
    if (end < 0)
        end = src.size();
    const QString text = src.mid(open + 1, end - open - 1);
    i = end + close.size();
    return text;
}

bool startsRawLiteral(const QString& src, qsizetype i) {
    if (i < 1 || src[i - 1] != QLatin1Char('R'))
        return false;
    return i < 2 || !identifierChar(src[i - 2]) || QStringLiteral("uUL8").contains(src[i - 2]);
}

// Skips a character literal (or a digit separator) at i.
void skipQuote(const QString& src, qsizetype& i) {
    if (i > 0 && src[i - 1].isDigit()) {
        ++i;
        return;
    }
    for (++i; i < src.size() && src[i] != QLatin1Char('\''); ++i) {
        if (src[i] == QLatin1Char('\\'))
            ++i;
    }
    ++i;
}

// Skips a comment at i; false when there is none.
bool skipComment(const QString& src, qsizetype& i) {
    if (src[i] != QLatin1Char('/') || i + 1 >= src.size())
        return false;
    if (src[i + 1] == QLatin1Char('/')) {
        const qsizetype end = src.indexOf(QLatin1Char('\n'), i);
        i = end < 0 ? src.size() : end;
        return true;
    }
    if (src[i + 1] == QLatin1Char('*')) {
        const qsizetype end = src.indexOf(QStringLiteral("*/"), i + 2);
        i = end < 0 ? src.size() : end + 2;
        return true;
    }
    return false;
}

QString decodeEntities(QString s) {
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

} // namespace

QStringList literalsOf(const QString& src) {
    QStringList out;
    QString joined;
    bool open = false;
    const auto flush = [&] {
        if (open)
            out << joined.simplified();
        joined.clear();
        open = false;
    };
    for (qsizetype i = 0; i < src.size();) {
        if (skipComment(src, i))
            continue;
        const QChar c = src[i];
        if (c == QLatin1Char('"')) {
            joined += startsRawLiteral(src, i) ? rawLiteral(src, i) : plainLiteral(src, i);
            open = true;
        } else if (c == QLatin1Char('\'')) {
            skipQuote(src, i);
            flush();
        } else {
            // Literals separated only by white space are one; a prefix such as
            // u8 or R before the next quote does not separate them either.
            const bool insideWord = identifierChar(c) && i + 1 < src.size() &&
                                    (src[i + 1] == QLatin1Char('"') || identifierChar(src[i + 1]));
            if (!c.isSpace() && !insideWord)
                flush();
            ++i;
        }
    }
    flush();
    return out;
}

QStringList sourceLiterals(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            out << literalsOf(QString::fromUtf8(f.readAll()));
    }
    return out;
}

QList<HelpLink> helpLinks(const QString& html) {
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QList<HelpLink> links;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("mailto:")))
            continue;
        const qsizetype hash = target.indexOf(QLatin1Char('#'));
        links.append(hash < 0 ? HelpLink{target, {}}
                              : HelpLink{target.left(hash), target.mid(hash + 1)});
    }
    return links;
}

QStringList helpIds(const QString& html) {
    static const QRegularExpression id(QStringLiteral("\\bid=\"([^\"]+)\""));
    QStringList ids;
    for (auto it = id.globalMatch(html); it.hasNext();)
        ids << it.next().captured(1);
    return ids;
}

QList<QStringList> quotedMessages(const QString& html) {
    static const QRegularExpression span(QStringLiteral("<span class=\"msg\">(.*?)</span>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression var(QStringLiteral("<var>.*?</var>"));
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QList<QStringList> quotes;
    for (auto it = span.globalMatch(html); it.hasNext();) {
        QString inner = it.next().captured(1);
        inner.replace(var, QStringLiteral("\x01"));
        inner.remove(tag);
        QStringList pieces;
        for (const QString& piece : decodeEntities(inner).split(QLatin1Char('\x01'))) {
            if (!piece.simplified().isEmpty())
                pieces << piece.simplified();
        }
        quotes << pieces;
    }
    return quotes;
}

bool messageInLiterals(const QStringList& pieces, const QStringList& literals) {
    // A message glued from several literals ("Файл " + name + " поврежден"):
    // each piece is a literal of its own.
    const bool glued = std::all_of(pieces.begin(), pieces.end(),
                                   [&](const QString& p) { return literals.contains(p); });
    if (glued && pieces.size() > 1)
        return true;
    for (const QString& literal : literals) {
        qsizetype from = 0;
        bool all = true;
        for (const QString& piece : pieces) {
            const qsizetype at = literal.indexOf(piece, from);
            if (at < 0) {
                all = false;
                break;
            }
            from = at + piece.size();
        }
        if (all)
            return true;
    }
    return false;
}

} // namespace ksv::test
