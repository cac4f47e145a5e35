#pragma once

#include "lists/list_file_writer.h"

// "EBook.txt": the title, every directory that holds files followed by its file names,
// and the two totals. One entry per line whatever a name holds.
class TextListWriter : public ListFileWriter
{
public:
    TextListWriter();

    void startDirectory(const QString &directory, int fileCount) override;
    void listFile(const QString &directory, const QString &fileName) override;
    void endDirectory(const QString &directory, int fileCount) override;

protected:
    void writeHead(const QString &title, const QString &topDirectory) override;
    void writeTail(qint32 files, qint32 directories, const QString &title) override;

private:
    void writeBlankLines(const QString &blank);
};
