#pragma once

#include <QString>

// One list format. The run calls every enabled writer at the same five points.
// A writer builds its file aside and replaces the old list only when closeList
// succeeds; abandon() or a failure leaves the old list as it was.
class ListWriter
{
public:
    virtual ~ListWriter() = default;

    // Creates the list in listDirectory (the file name is appended directly) and writes its head.
    virtual bool openList(const QString &listDirectory, const QString &title, const QString &topDirectory) = 0;
    virtual void startDirectory(const QString &directory, int fileCount) = 0;
    virtual void listFile(const QString &directory, const QString &fileName) = 0;
    virtual void endDirectory(const QString &directory, int fileCount) = 0;
    // Writes the tail and puts the finished list in place of the old one.
    virtual bool closeList(qint32 files, qint32 directories, const QString &title) = 0;
    // Drops the unfinished list.
    virtual void abandon() = 0;
    // Why the last open or close failed.
    virtual QString errorString() const = 0;
};
