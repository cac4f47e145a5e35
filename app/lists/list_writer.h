#pragma once

#include <QString>

// One list format. The run calls every enabled writer at the same five points.
// A writer builds its file aside; the old list stays in place until every enabled
// list is complete, and then all of them are replaced together, so a folder never
// holds lists of two different runs.
class ListWriter
{
public:
    virtual ~ListWriter() = default;

    // Starts the new list in listDirectory (which must not be empty) and writes its head.
    virtual bool openList(const QString &listDirectory, const QString &title, const QString &topDirectory) = 0;
    virtual void startDirectory(const QString &directory, int fileCount) = 0;
    virtual void listFile(const QString &directory, const QString &fileName) = 0;
    virtual void endDirectory(const QString &directory, int fileCount) = 0;
    // Writes the tail and completes the new list aside; the old list is still in place.
    virtual bool closeList(qint32 files, qint32 directories, const QString &title) = 0;

    // Puts the completed list in place of the old one, which is kept aside until
    // restoreOldList or dropOldList. A list file that is a symbolic link is replaced
    // itself; whatever it pointed to is never written.
    virtual bool replaceOldList() = 0;
    // Undoes replaceOldList: the old list is back, the new one aside again.
    virtual void restoreOldList() = 0;
    // Ends a replacement: the old list is gone for good.
    virtual void dropOldList() = 0;

    // Drops the new list, finished or not; the old one stays.
    virtual void abandon() = 0;
    // Why the last open, close or replacement failed.
    virtual QString errorString() const = 0;
};
