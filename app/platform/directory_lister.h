#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A directory as a walk knows it: the path shown in the lists, and the bytes that name
// it on disk. The two differ where a name is not valid UTF-8: the shown path has U+FFFD
// for such bytes, and only the bytes can open the directory again.
struct DirectoryPath
{
    DirectoryPath() = default;
    // A path typed by the user (the settings): its bytes are its local encoding.
    explicit DirectoryPath(const QString &shown) : path(shown), native(QFile::encodeName(shown)) {}
    DirectoryPath(const QString &shown, const QByteArray &onDisk) : path(shown), native(onDisk) {}

    QString path;
    QByteArray native;
};

// What one directory holds, read in one go.
struct DirectoryEntries
{
    // A key that is equal for two paths naming the same directory (through links),
    // so that a walk can visit each directory once.
    QString identity;
    // The subdirectories (links to directories included).
    QList<DirectoryPath> subdirectories;
    // Names of the files, without path, as shown.
    QStringList files;
};

// Enumerates directories for the list run. Shown paths use "/" and carry no trailing
// separator except the root "/". Hidden (dot) entries are left out; both lists come
// in ascending name order without regard to case. Several threads may read at once.
class DirectoryLister
{
public:
    virtual ~DirectoryLister() = default;

    // Nothing when the directory cannot be read in full.
    virtual std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) = 0;

    // The run that reads has been abandoned: reads in progress on other threads may give
    // up at their next step (returning nothing), so the run ends without waiting for a
    // slow share to answer every call. Later reads may fail too.
    virtual void interrupt() {}
};
