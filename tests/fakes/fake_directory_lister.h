#pragma once

#include "platform/directory_lister.h"

#include <QHash>
#include <QSet>

// An in-memory tree: directories by full path, with their files. Directories can be
// made unreadable for the walk or for the file listing, and two paths can be made
// to name the same directory (a link).
class FakeDirectoryLister final : public DirectoryLister
{
public:
    QHash<QString, QStringList> subdirectories; // full paths
    QHash<QString, QStringList> files;          // names
    QSet<QString> unreadable;                   // fails everywhere
    QSet<QString> vanishBeforeListing;          // fails only when its files are read
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

    std::optional<QStringList> listSubdirectories(const QString &directory) override
    {
        if (unreadable.contains(directory) || !subdirectories.contains(directory))
            return std::nullopt;
        return subdirectories.value(directory);
    }
    std::optional<QStringList> listFiles(const QString &directory) override
    {
        if (unreadable.contains(directory) || vanishBeforeListing.contains(directory)
            || !files.contains(directory))
            return std::nullopt;
        return files.value(directory);
    }
    QString directoryIdentity(const QString &directory) override
    {
        return sameAs.value(directory, directory);
    }
};
