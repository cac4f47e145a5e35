#pragma once

#include "platform/directory_lister.h"

// The real file system, read through POSIX directory calls for speed.
class FileSystemLister final : public DirectoryLister
{
public:
    std::optional<DirectoryEntries> readDirectory(const QString &directory) override;

    // The child's path: no doubled separator under the root.
    static QString childPath(const QString &directory, const QString &name);
};
