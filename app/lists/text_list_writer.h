#pragma once

#include "lists/section_list_writer.h"

// "EBook.txt": the title, every directory that holds files followed by its file names,
// and the two totals. One entry per line whatever a name holds.
class TextListWriter : public SectionListWriter
{
public:
    TextListWriter();

protected:
    void writeHead(const QString &title, const QString &topDirectory) override;
    void writeTail(qint32 files, qint32 directories, const QString &title) override;
};
