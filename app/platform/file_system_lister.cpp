#include "platform/file_system_lister.h"

#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

enum class EntryKind { Directory, File, Other };

EntryKind kindOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind kindOf(int directoryDescriptor, const dirent *entry)
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
    struct stat info {};
    if (::fstatat(directoryDescriptor, entry->d_name, &info, 0) != 0)
        return EntryKind::Other; // dangling link
    return kindOfMode(info.st_mode);
}

QString identityOf(int directoryDescriptor)
{
    struct stat info {};
    if (::fstat(directoryDescriptor, &info) != 0)
        return {};
    return QString::number(info.st_dev) + QLatin1Char(':') + QString::number(info.st_ino);
}

// Case-blind ascending order, ties broken by exact order.
void sortNames(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
}

} // namespace

QString FileSystemLister::childPath(const QString &directory, const QString &name)
{
    if (directory.endsWith(QLatin1Char('/')))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}

std::optional<DirectoryEntries> FileSystemLister::readDirectory(const QString &directory)
{
    DIR *handle = ::opendir(QFile::encodeName(directory).constData());
    if (!handle)
        return std::nullopt;
    const int descriptor = ::dirfd(handle);
    DirectoryEntries entries;
    entries.identity = identityOf(descriptor);
    if (entries.identity.isEmpty())
        entries.identity = directory;
    while (const dirent *entry = ::readdir(handle)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        switch (kindOf(descriptor, entry)) {
        case EntryKind::Directory:
            entries.subdirectories.append(QFile::decodeName(entry->d_name));
            break;
        case EntryKind::File:
            entries.files.append(QFile::decodeName(entry->d_name));
            break;
        case EntryKind::Other:
            break;
        }
    }
    ::closedir(handle);
    sortNames(entries.subdirectories);
    sortNames(entries.files);
    for (QString &name : entries.subdirectories)
        name = childPath(directory, name);
    return entries;
}
