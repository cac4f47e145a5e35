#include "lists/section_list_writer.h"

SectionListWriter::SectionListWriter(const QString &fileName, Encoding encoding, const SectionLines &lines)
    : ListFileWriter(fileName, encoding), m_lines(lines)
{
}

void SectionListWriter::startDirectory(const QString &directory, int fileCount)
{
    if (fileCount > 0)
        writeLine(m_lines.headingStart + safeText(directory) + m_lines.headingEnd);
}

void SectionListWriter::listFile(const QString &, const QString &fileName)
{
    writeLine(m_lines.entryStart + safeText(fileName) + m_lines.entryEnd);
}

void SectionListWriter::endDirectory(const QString &, int fileCount)
{
    if (fileCount <= 0)
        return;
    for (const QString &line : m_lines.end)
        writeLine(line);
}
