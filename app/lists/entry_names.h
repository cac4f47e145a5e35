#pragma once

#include <QChar>
#include <QString>

// How directory paths and file names become the text of the lists. The rules work on
// the path text alone and never touch the file system. The separator is a parameter so
// that paths of another platform's form can be handled too.

// The script identifier of a directory: one "_" for each character of the trimmed path
// that is not an ASCII letter or digit. An empty trimmed path (the root) gives "_", and
// an identifier never starts with a digit, so the result is always a valid script name
// made only of [A-Za-z0-9_].
QString FolderIdentifier(const QString &directory, QChar separator = QLatin1Char('/'));

// The text of the trimmed path before its last separator ("" for a directory in the root).
QString ParentPath(const QString &directory, QChar separator = QLatin1Char('/'));

// The text of the trimmed path after its last separator; the root is named by itself.
QString LastPathPart(const QString &directory, QChar separator = QLatin1Char('/'));

// The name without any apostrophe.
QString StripApostrophes(const QString &name);

// The path without one trailing separator.
QString TrimmedPath(const QString &directory, QChar separator = QLatin1Char('/'));
