#pragma once

// Reading the help book and the program's sources for the help book tests:
// the links of a page, the ids it defines, the program messages it quotes,
// and the string literals of the sources those quotes must be found in.

#include <QString>
#include <QStringList>

namespace ksv::test {

struct HelpLink {
    QString page;   // "" for a link into the same page
    QString anchor; // "" when the link has no "#fragment"
};

// Links of a page to other pages of the book (external addresses left out).
QList<HelpLink> helpLinks(const QString& html);

// Every id="…" of a page.
QStringList helpIds(const QString& html);

// Program messages a page quotes: the contents of <span class="msg">,
// each split at its <var> parts into the fixed pieces, tags removed,
// entities decoded and white space collapsed.
QList<QStringList> quotedMessages(const QString& html);

// Every string literal of the C++ sources under a folder, adjacent literals
// joined, escapes resolved and white space collapsed.
QStringList sourceLiterals(const QString& folder);

// Literals of one source text (comments, character and raw literals handled).
QStringList literalsOf(const QString& source);

// True when every piece occurs in one literal, in order, or when there are
// several pieces and each is a whole literal (a message glued together).
bool messageInLiterals(const QStringList& pieces, const QStringList& literals);

} // namespace ksv::test
