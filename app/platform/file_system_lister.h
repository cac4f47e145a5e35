#pragma once

#include "platform/directory_lister.h"

#include <atomic>
#include <dirent.h>

// The real file system, read through POSIX directory calls for speed. Directories are
// opened by the bytes of their names, so names that are not valid UTF-8 and paths longer
// than the system's path limit are walked like any other.
class FileSystemLister final : public DirectoryLister
{
public:
    // How the next entry of an open directory is read: readdir, or a stand-in that fails.
    using EntryReader = dirent *(*)(DIR *);

    explicit FileSystemLister(EntryReader readEntry = ::readdir) : readEntry_(readEntry) {}

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override;
    void interrupt() override { interrupted_ = true; }

    // A name's bytes as shown: UTF-8, with U+FFFD for each byte that is not, and a
    // leading byte-order mark kept as a character.
    static QString shownName(const char *name);

    // The order of the lists: negative when a comes before b, zero only for equal names.
    // Ascending without regard to case (Unicode case folding of each UTF-16 unit, as
    // QString::compare does), ties broken by exact order.
    static int compareNames(QStringView a, QStringView b);

private:
    EntryReader readEntry_;
    std::atomic_bool interrupted_ = false;
};
