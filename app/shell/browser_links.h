#pragma once

#include <QString>
#include <QStringList>

inline constexpr char kLinksFileName[] = "Links.txt";

// The browser links: names to show and their address prefixes, always of equal length,
// position k of one belonging to position k of the other.
struct BrowserLinks
{
    QStringList names;
    QStringList prefixes;
    // Why the file gave no links (missing, unreadable, not text); empty otherwise.
    QString problem;
};

// Pairs of lines, name then address prefix. Lines are trimmed of blanks; empty lines and
// lines starting with "#" are skipped anywhere, also inside a pair. An unpaired last
// name is dropped.
BrowserLinks ParseLinks(const QString &text);

// Reads the links file. A missing, unreadable, binary or oversized file gives no links
// and says why in problem.
BrowserLinks LoadLinks(const QString &path);

// A links file is small; anything larger is not one.
inline constexpr qint64 kMaxLinksFileBytes = 1024 * 1024;
