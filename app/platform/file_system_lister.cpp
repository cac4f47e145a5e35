#include "platform/file_system_lister.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

enum class EntryKind { Directory, File, Other };

EntryKind kindOf(const QByteArray &directory, const dirent *entry)
{
    switch (entry->d_type) {
    case DT_DIR:
        return EntryKind::Directory;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break; // follow the link or ask the file system
    default:
        return EntryKind::Other;
    }
    QByteArray path = directory;
    if (!path.endsWith('/'))
        path += '/';
    path += entry->d_name;
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return EntryKind::Other; // dangling link
    if (S_ISDIR(info.st_mode))
        return EntryKind::Directory;
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

// Reads the visible entries of one kind; nothing when the directory cannot be opened.
std::optional<QStringList> readNames(const QString &directory, EntryKind wanted)
{
    const QByteArray nativeDirectory = QFile::encodeName(directory);
    DIR *handle = ::opendir(nativeDirectory.constData());
    if (!handle)
        return std::nullopt;
    QStringList names;
    while (const dirent *entry = ::readdir(handle)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        if (kindOf(nativeDirectory, entry) == wanted)
            names.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(handle);
    FileSystemLister::sortNames(names);
    return names;
}

} // namespace

void FileSystemLister::sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
}

QString FileSystemLister::childPath(const QString &directory, const QString &name)
{
    return directory.endsWith(QLatin1Char('/')) ? directory + name
                                                : directory + QLatin1Char('/') + name;
}

std::optional<QStringList> FileSystemLister::listSubdirectories(const QString &directory)
{
    auto names = readNames(directory, EntryKind::Directory);
    if (names) {
        for (QString &name : *names)
            name = childPath(directory, name);
    }
    return names;
}

std::optional<QStringList> FileSystemLister::listFiles(const QString &directory)
{
    return readNames(directory, EntryKind::File);
}

QString FileSystemLister::directoryIdentity(const QString &directory)
{
    struct stat info {};
    if (::stat(QFile::encodeName(directory).constData(), &info) != 0)
        return directory;
    return QString::number(info.st_dev) + QLatin1Char(':') + QString::number(info.st_ino);
}
