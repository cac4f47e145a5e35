#include "lists/table_list_writer.h"

#include "lists/list_escapes.h"

TableListWriter::TableListWriter()
    : ListFileWriter(QStringLiteral("EBook.html"), Encoding::Utf8WithByteOrderMark)
{
}

void TableListWriter::writeHead(const QString &title, const QString &)
{
    writeHtmlDoctype();
    writeLine(QStringLiteral("<HTML><head><title>Shelvana Table List</title></head>"));
    writeLine(QStringLiteral("<BODY BGCOLOR='White'>"));
    writeLine(QStringLiteral("<H1><B>") + HtmlText(title) + QStringLiteral("</B></H1>"));
}

void TableListWriter::startDirectory(const QString &directory, int fileCount)
{
    if (fileCount > 0)
        writeLine(QStringLiteral("<Table Border=4><TR><TD><B>") + HtmlText(directory) + QStringLiteral("</B></TD></TR>"));
}

void TableListWriter::listFile(const QString &, const QString &fileName)
{
    writeLine(QStringLiteral("<TR><TD>") + HtmlText(fileName) + QStringLiteral("</TD></TR>"));
}

void TableListWriter::endDirectory(const QString &, int fileCount)
{
    if (fileCount > 0)
        writeLine(QStringLiteral("</Table><BR>"));
}

void TableListWriter::writeTail(qint32 files, qint32 directories, const QString &)
{
    writeHtmlTotals(files, directories);
    writeLine(QStringLiteral("</Body></HTML>"));
}
