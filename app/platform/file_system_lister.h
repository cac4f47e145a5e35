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
    // How the entries of an open directory are read into a buffer, a batch at a time, as
    // getdents64 does (the bytes filled, 0 at the end, -1 on an error): getdents64, or a
    // stand-in that fails.
    using EntryReader = ssize_t (*)(int descriptor, void *buffer, size_t size);

    explicit FileSystemLister(EntryReader readEntries = ::getdents64) : readEntries_(readEntries) {}

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
    EntryReader readEntries_;
    std::atomic_bool interrupted_ = false;
};
