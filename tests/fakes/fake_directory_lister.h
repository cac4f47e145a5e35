#pragma once

#include "platform/directory_lister.h"

#include <QHash>
#include <QSet>

// An in-memory tree: directories by full path, with their files. Directories can be
// made unreadable, and two paths can be made to name the same directory (a link).
class FakeDirectoryLister final : public DirectoryLister
{
public:
    QHash<QString, QStringList> subdirectories; // full paths
    QHash<QString, QStringList> files;          // names
    QSet<QString> unreadable;                   // fails everywhere
    QHash<QString, QString> sameAs;             // link path -> real path

    void addDirectory(const QString &path, const QStringList &fileNames = {})
    {
        subdirectories.insert(path, subdirectories.value(path));
        files.insert(path, fileNames);
        const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
        if (cut > 0 || (cut == 0 && path.size() > 1)) {
            const QString parent = cut == 0 ? QStringLiteral("/") : path.left(cut);
            subdirectories[parent].append(path);
        }
    }

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override
    {
        const QString &path = directory.path;
        if (unreadable.contains(path) || !files.contains(path))
            return std::nullopt;
        DirectoryEntries entries{sameAs.value(path, path), {}, files.value(path)};
        for (const QString &subdirectory : subdirectories.value(path))
            entries.subdirectories.append(DirectoryPath(subdirectory));
        return entries;
    }
};
