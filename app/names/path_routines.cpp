#include "names/path_routines.h"

namespace PathRoutines {

QString FileNameOf(const QString &path, QChar separator)
{
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString ExtensionOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : path.mid(dot);
}

QString NameWithoutExtension(const QString &path, QChar separator)
{
    const QString file = FileNameOf(path, separator);
    const QString extension = ExtensionOf(path);
    if (extension.size() > file.size())
        return file;
    return file.left(file.size() - extension.size());
}

} // namespace PathRoutines
