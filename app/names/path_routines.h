#pragma once

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

} // namespace PathRoutines
