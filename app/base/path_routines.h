#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Pieces of a path. The separator is the platform's "/" unless a caller names another.
namespace PathRoutines {

// The characters after the last separator; the whole path when it holds none.
QString FileNameOf(const QString &path, QChar separator = QLatin1Char('/'));

// From the last "." to the end, the dot included; empty when the path holds no dot.
QString ExtensionOf(const QString &path);

// The file name without its extension. Where the last dot lies before the last
// separator (a dotted folder, a file without a dot), the whole file name.
QString NameWithoutExtension(const QString &path, QChar separator = QLatin1Char('/'));

// The folder, a separator unless it already ends with one, and the name. An empty folder
// stands for the current one and gives the bare name.
QString JoinPath(const QString &folder, const QString &name, QChar separator = QLatin1Char('/'));
// The same for a path in the file system's own bytes.
QByteArray JoinPath(const QByteArray &folder, QByteArrayView name);

} // namespace PathRoutines
