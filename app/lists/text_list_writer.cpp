#include "lists/text_list_writer.h"

#include "lists/list_escapes.h"

namespace {

const QString kTwoSpaces = QStringLiteral("  ");
const QString kThreeSpaces = QStringLiteral("   ");

} // namespace

TextListWriter::TextListWriter()
    : ListFileWriter(QStringLiteral("EBook.txt"), Encoding::Utf8)
{
}

void TextListWriter::writeHead(const QString &title, const QString &)
{
    // A line break or other control character in a name or the title is shown as
    // U+FFFD, so it can never split an entry over two lines.
    writeLine(SingleLineText(title));
    writeBlankLines(kTwoSpaces);
}

void TextListWriter::startDirectory(const QString &directory, int fileCount)
{
    if (fileCount > 0)
        writeLine(SingleLineText(directory));
}

void TextListWriter::listFile(const QString &, const QString &fileName)
{
    writeLine(SingleLineText(fileName));
}

void TextListWriter::endDirectory(const QString &, int fileCount)
{
    if (fileCount > 0)
        writeBlankLines(kTwoSpaces);
}

void TextListWriter::writeTail(qint32 files, qint32 directories, const QString &)
{
    writeBlankLines(kThreeSpaces);
    writeLine(QStringLiteral("Files = %1").arg(files));
    writeLine(QStringLiteral("Directories = %1").arg(directories));
    writeLine(kThreeSpaces);
}

void TextListWriter::writeBlankLines(const QString &blank)
{
    writeLine(blank);
    writeLine(blank);
}
