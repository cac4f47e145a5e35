#include "lists/table_list_writer.h"

#include "lists/list_escapes.h"
#include "lists/list_file_names.h"

TableListWriter::TableListWriter()
    : SectionListWriter(kTableListName, Encoding::Utf8WithByteOrderMark,
                        {QStringLiteral("<Table Border=4><TR><TD><B>"), QStringLiteral("</B></TD></TR>"),
                         QStringLiteral("<TR><TD>"), QStringLiteral("</TD></TR>"), {QStringLiteral("</Table><BR>")},
                         HtmlText})
{
}

void TableListWriter::writeHead(const QString &title, const QString &)
{
    writeHtmlDoctype();
    writeLine(QStringLiteral("<HTML><head><title>Shelvana Table List</title></head>"));
    writeLine(QStringLiteral("<BODY BGCOLOR='White'>"));
    writeLine(QStringLiteral("<H1><B>") + safeText(title) + QStringLiteral("</B></H1>"));
}

void TableListWriter::writeTail(qint32 files, qint32 directories, const QString &)
{
    writeHtmlTotals(files, directories);
    writeLine(QStringLiteral("</Body></HTML>"));
}
