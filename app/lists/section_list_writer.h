#pragma once

#include "lists/list_file_writer.h"

#include <QStringList>

// What a sectioned list writes around each directory and file.
struct SectionLines
{
    QString headingStart; // before the directory path
    QString headingEnd;   // after it
    QString entryStart;   // before a file name
    QString entryEnd;     // after it
    QStringList end;      // after the directory's files
    QString (*safeText)(const QString &); // how a path or name is made safe for the list
};

// A list that shows every directory holding files as a section: a heading line with the
// directory path, one line per file, closing lines. Empty directories are left out.
class SectionListWriter : public ListFileWriter
{
public:
    void startDirectory(const QString &directory, int fileCount) override;
    void listFile(const QString &directory, const QString &fileName) override;
    void endDirectory(const QString &directory, int fileCount) override;

protected:
    SectionListWriter(const QString &fileName, Encoding encoding, const SectionLines &lines);

    QString safeText(const QString &text) const { return lines_.safeText(text); }

private:
    SectionLines lines_;
};
