#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Go needs a title or an author; blanks alone count as entered.
bool HasSearchSubject(const QString &title, const QString &author);

// Title and author, each trimmed of blanks, joined by one blank; every blank then becomes
// "+". Characters that would end or split the query ("&", "#", "%", "+", "?", "=",
// control characters) and non-ASCII letters are percent-encoded as UTF-8.
QString SearchWords(const QString &title, const QString &author);

// The chosen link's address prefix immediately followed by the search words.
QString SearchAddress(const QString &prefix, const QString &title, const QString &author);

// The position of the link the link box names: its selected entry when the text still
// matches it, else the first entry with exactly that text, else none (typed text that
// names no link).
std::optional<int> ChosenLink(const QStringList &names, int selected, const QString &text);
