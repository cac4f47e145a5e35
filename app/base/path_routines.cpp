#include "base/path_routines.h"

namespace PathRoutines {

namespace {

template <typename Path, typename Name, typename Separator>
Path Joined(const Path &folder, const Name &name, Separator separator)
{
    if (folder.isEmpty() || folder.endsWith(separator))
        return folder + name;
    return folder + separator + name;
}

} // namespace

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

QString JoinPath(const QString &folder, const QString &name, QChar separator)
{
    return Joined(folder, name, separator);
}

QByteArray JoinPath(const QByteArray &folder, QByteArrayView name)
{
    return Joined(folder, name, '/');
}

} // namespace PathRoutines
