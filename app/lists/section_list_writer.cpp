#include "lists/section_list_writer.h"

SectionListWriter::SectionListWriter(const QString &fileName, Encoding encoding, const SectionLines &lines)
    : ListFileWriter(fileName, encoding), lines_(lines)
{
}

void SectionListWriter::startDirectory(const QString &directory, int fileCount)
{
    if (fileCount > 0)
        writeLine({lines_.headingStart, safeText(directory), lines_.headingEnd});
}

void SectionListWriter::listFile(const QString &, const QString &fileName)
{
    writeLine({lines_.entryStart, safeText(fileName), lines_.entryEnd});
}

void SectionListWriter::endDirectory(const QString &, int fileCount)
{
    if (fileCount <= 0)
        return;
    for (const QString &line : lines_.end)
        writeLine(line);
}
