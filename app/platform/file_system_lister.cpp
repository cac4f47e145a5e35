#include "platform/file_system_lister.h"

#include "base/path_routines.h"

#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <vector>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class EntryKind { Directory, File, Other };

EntryKind kindOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind kindOf(int directoryDescriptor, const dirent64 *entry)
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
    // Written out in place: one string per directory, not three.
    char text[42]; // room for two 64-bit numbers and the colon
    char *colon = std::to_chars(text, text + 20, info.st_dev).ptr;
    *colon = ':';
    const char *end = std::to_chars(colon + 1, text + sizeof text, info.st_ino).ptr;
    return QString::fromLatin1(text, end - text);
}

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr size_t kBatchBytes = 32 * 1024;

// Opens the rest of a path relative to an open directory, a piece at a time, each piece
// short enough for one call and cut at a separator (a single name is far shorter).
int openInPieces(int at, const QByteArray &path, qsizetype start)
{
    while (start < path.size()) {
        qsizetype end = path.size();
        if (end - start >= PATH_MAX)
            end = path.lastIndexOf('/', start + PATH_MAX - 1);
        if (end <= start) {
            errno = ENAMETOOLONG;
            end = -1;
        }
        const int next = end < 0 ? -1 : ::openat(at, path.mid(start, end - start).constData(), kDirectoryFlags);
        if (at != AT_FDCWD)
            ::close(at);
        if (next < 0)
            return -1;
        at = next;
        start = end + 1;
    }
    return at;
}

int openDirectory(const QByteArray &path)
{
    if (path.size() < PATH_MAX)
        return ::open(path.constData(), kDirectoryFlags);
    if (!path.startsWith('/'))
        return openInPieces(AT_FDCWD, path, 0);
    const int root = ::open("/", kDirectoryFlags);
    return root < 0 ? -1 : openInPieces(root, path, 1);
}

// Where a thread reads the entries of a directory, a batch at a time. The same room for
// every directory: a buffer of this size made and freed for each one (as opendir does)
// costs the allocator more than the reading.
char *batchBuffer()
{
    thread_local std::vector<char> buffer(kBatchBytes);
    return buffer.data();
}

struct NamedDirectory
{
    QString name;
    QByteArray native;
};

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Qt's case-blind comparison folds every UTF-16 unit through the Unicode tables, which
// costs most of a sort. For ASCII the folding is just A-Z to a-z, so that is done here
// while both names are ASCII; at the first other character Qt compares the whole names.
int compareIgnoringCase(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y && x < 0x80)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive);
        if (const int difference = asciiLower(x) - asciiLower(y); difference != 0)
            return difference;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int FileSystemLister::compareNames(QStringView a, QStringView b)
{
    const int blind = compareIgnoringCase(a, b);
    return blind != 0 ? blind : a.compare(b, Qt::CaseSensitive);
}

QString FileSystemLister::shownName(const char *name)
{
    const QByteArrayView bytes(name);
    // Most names are ASCII, the same characters in Latin-1, which converts without checks.
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (std::all_of(bytes.begin(), bytes.end(), ascii))
        return QString::fromLatin1(bytes);
    thread_local QStringDecoder decoder(QStringDecoder::Utf8,
                                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

std::optional<DirectoryEntries> FileSystemLister::readDirectory(const DirectoryPath &directory)
{
    const int descriptor = interrupted_ ? -1 : openDirectory(directory.native);
    if (descriptor < 0)
        return std::nullopt;
    DirectoryEntries entries;
    entries.identity = identityOf(descriptor);
    if (entries.identity.isEmpty())
        entries.identity = directory.path;
    std::vector<NamedDirectory> subdirectories;
    char *const batch = batchBuffer();
    ssize_t filled = 0;
    ssize_t used = 0;
    bool complete = true;
    for (;;) {
        if (interrupted_) {
            complete = false; // on a share every entry may cost a call: stop between them
            break;
        }
        if (used == filled) {
            filled = readEntries_(descriptor, batch, kBatchBytes);
            used = 0;
            if (filled <= 0) {
                complete = filled == 0; // an error, not the end: the directory was read in part
                break;
            }
        }
        const auto *entry = reinterpret_cast<const dirent64 *>(batch + used);
        used += entry->d_reclen;
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        switch (kindOf(descriptor, entry)) {
        case EntryKind::Directory:
            subdirectories.push_back({shownName(entry->d_name), QByteArray(entry->d_name)});
            break;
        case EntryKind::File:
            entries.files.append(shownName(entry->d_name));
            break;
        case EntryKind::Other:
            break;
        }
    }
    ::close(descriptor);
    if (!complete)
        return std::nullopt;
    std::sort(entries.files.begin(), entries.files.end(),
              [](const QString &a, const QString &b) { return compareNames(a, b) < 0; });
    std::sort(subdirectories.begin(), subdirectories.end(), [](const NamedDirectory &a, const NamedDirectory &b) {
        const int order = compareNames(a.name, b.name);
        return order != 0 ? order < 0 : a.native < b.native;
    });
    entries.subdirectories.reserve(qsizetype(subdirectories.size()));
    for (const NamedDirectory &sub : subdirectories) {
        entries.subdirectories.append(
            {PathRoutines::JoinPath(directory.path, sub.name), PathRoutines::JoinPath(directory.native, sub.native)});
    }
    return entries;
}
