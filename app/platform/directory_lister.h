#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What one directory holds, read in one go.
struct DirectoryEntries
{
    // A key that is equal for two paths naming the same directory (through links),
    // so that a walk can visit each directory once.
    QString identity;
    // Full paths of the subdirectories (links to directories included).
    QStringList subdirectories;
    // Names of the files, without path.
    QStringList files;
};

// Enumerates directories for the list run. Paths use "/" and carry no trailing
// separator except the root "/". Hidden (dot) entries are left out; both lists come
// in ascending name order without regard to case.
class DirectoryLister
{
public:
    virtual ~DirectoryLister() = default;

    // Nothing when the directory cannot be read.
    virtual std::optional<DirectoryEntries> readDirectory(const QString &directory) = 0;
};
