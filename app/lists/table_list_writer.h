#pragma once

#include "lists/section_list_writer.h"

// "EBook.html": the title as a heading, one bordered table per directory that holds
// files, and the two totals. No name can add markup to the page.
class TableListWriter : public SectionListWriter
{
public:
    TableListWriter();

protected:
    void writeHead(const QString &title, const QString &topDirectory) override;
    void writeTail(qint32 files, qint32 directories, const QString &title) override;
};
