#pragma once

#include "lists/list_file_writer.h"

// "EBook.html": the title as a heading, one bordered table per directory that holds
// files, and the two totals. No name can add markup to the page.
class TableListWriter : public ListFileWriter
{
public:
    TableListWriter();

    void startDirectory(const QString &directory, int fileCount) override;
    void listFile(const QString &directory, const QString &fileName) override;
    void endDirectory(const QString &directory, int fileCount) override;

protected:
    void writeHead(const QString &title, const QString &topDirectory) override;
    void writeTail(qint32 files, qint32 directories, const QString &title) override;
};
