#include "lists/text_list_writer.h"

#include "lists/list_escapes.h"
#include "lists/list_file_names.h"

namespace {

const QString kTwoSpaces = QStringLiteral("  ");
const QString kThreeSpaces = QStringLiteral("   ");

} // namespace

// A line break or other control character in a name or the title is shown as U+FFFD,
// so it can never split an entry over two lines.
TextListWriter::TextListWriter()
    : SectionListWriter(kTextListName, Encoding::Utf8,
                        {QString(), QString(), QString(), QString(), {kTwoSpaces, kTwoSpaces}, SingleLineText})
{
}

void TextListWriter::writeHead(const QString &title, const QString &)
{
    writeLine(safeText(title));
    writeLine(kTwoSpaces);
    writeLine(kTwoSpaces);
}

void TextListWriter::writeTail(qint32 files, qint32 directories, const QString &)
{
    writeLine(kThreeSpaces);
    writeLine(kThreeSpaces);
    writeLine(QStringLiteral("Files = %1").arg(files));
    writeLine(QStringLiteral("Directories = %1").arg(directories));
    writeLine(kThreeSpaces);
}
