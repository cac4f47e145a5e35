#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Enumerates directories for the list run. Paths use "/" and carry no trailing
// separator except the root "/". Both listings skip hidden (dot) entries and come in
// ascending name order without regard to case.
class DirectoryLister
{
public:
    virtual ~DirectoryLister() = default;

    // Full paths of the subdirectories; nothing when the directory cannot be read.
    virtual std::optional<QStringList> listSubdirectories(const QString &directory) = 0;
    // Names of the files (no path); nothing when the directory cannot be read.
    virtual std::optional<QStringList> listFiles(const QString &directory) = 0;
    // A key that is equal for two paths naming the same directory (through links),
    // so that a walk can visit each directory once.
    virtual QString directoryIdentity(const QString &directory) = 0;
};
