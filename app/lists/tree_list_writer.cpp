#include "lists/tree_list_writer.h"

#include "lists/entry_names.h"
#include "lists/list_escapes.h"
#include "shell/text_lines.h"

#include <QFile>

namespace {

QString ScriptName(const QString &name)
{
    return ScriptStringText(StripApostrophes(name));
}

} // namespace

TreeListWriter::TreeListWriter(const QString &scriptPath, QChar separator)
    : ListFileWriter(QStringLiteral("EBookTree.html"), Encoding::Utf8WithByteOrderMark),
      m_scriptPath(scriptPath),
      m_separator(separator)
{
}

bool TreeListWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    // Without its script the page cannot work: stop before anything is replaced.
    if (!readScript()) {
        abandon();
        return false;
    }
    return ListFileWriter::openList(listDirectory, title, topDirectory);
}

bool TreeListWriter::readScript()
{
    m_scriptLines.clear();
    QFile script(m_scriptPath);
    if (script.open(QIODevice::ReadOnly)) {
        const QByteArray text = script.readAll();
        if (script.error() == QFileDevice::NoError) {
            m_scriptLines = SplitTextLines(QString::fromUtf8(text));
            return true;
        }
    }
    setErrorString(QStringLiteral("Cannot read the page script \"%1\": %2").arg(m_scriptPath, script.errorString()));
    return false;
}

void TreeListWriter::writeHead(const QString &, const QString &topDirectory)
{
    m_topIdentifier = FolderIdentifier(topDirectory, m_separator);
    m_declaredIdentifiers = {{TrimmedPath(topDirectory, m_separator), m_topIdentifier}};
    m_usedIdentifiers = {m_topIdentifier};

    writeHtmlDoctype();
    writeLine(QStringLiteral("<HTML><HEAD><TITLE>Shelvana Treeview List</TITLE>"));
    writeLine(QStringLiteral("<SCRIPT>"));
    writeLine(QStringLiteral("folders=new Array();"));
    writeLine(QStringLiteral("menuIndex =0;"));
    writeLine(QStringLiteral("selection = -1;"));
    writeLine(QStringLiteral("selectionIndex = -1;"));
    writeLine(QString());
    writeLine(m_topIdentifier + QStringLiteral(" = Folder('") + shownFolderName(topDirectory) + QStringLiteral("',false);"));
}

void TreeListWriter::startDirectory(const QString &directory, int)
{
    m_currentDirectory = directory;
    if (FolderIdentifier(directory, m_separator) == m_topIdentifier) {
        m_declaredIdentifiers.insert(TrimmedPath(directory, m_separator), m_topIdentifier);
        m_currentIdentifier = m_topIdentifier;
        return;
    }
    const QString parent = declaredIdentifier(ParentPath(directory, m_separator));
    m_currentIdentifier = declareFolder(directory);
    writeLine(m_currentIdentifier + QStringLiteral(" = Add (") + parent + QStringLiteral(", '")
              + shownFolderName(directory) + QStringLiteral("');"));
}

void TreeListWriter::listFile(const QString &directory, const QString &fileName)
{
    // Files come right after their directory's start: spare the lookup for each of them.
    const QString identifier = directory == m_currentDirectory ? m_currentIdentifier : declaredIdentifier(directory);
    writeLine(QStringLiteral("Add(") + identifier + QStringLiteral(",'") + ScriptName(fileName)
              + QStringLiteral("');"));
}

void TreeListWriter::endDirectory(const QString &, int)
{
}

void TreeListWriter::writeTail(qint32 files, qint32 directories, const QString &title)
{
    writeLine(QString());
    writeLine(QString());
    for (const QString &line : std::as_const(m_scriptLines))
        writeLine(QString(line).replace(QLatin1String("basefolder"), m_topIdentifier));
    writeLine(QStringLiteral("<BODY bgColor=white onload=init()>"));
    writeLine(QStringLiteral("<FORM><TABLE><TBODY><TR>"));
    writeLine(QStringLiteral("<TD align=left vAlign=top>"));
    writeLine(QStringLiteral("<H2>") + HtmlText(title) + QStringLiteral("</H2>"));
    writeLine(QStringLiteral("<SELECT multiple name=menu"));
    writeLine(QStringLiteral("onchange=toggleItem(this.options[this.options.selectedIndex].value)"));
    writeLine(QStringLiteral("size=30>"));
    writeLine(QStringLiteral("<SCRIPT>spacerOption(24)</SCRIPT>"));
    writeLine(QStringLiteral("</SELECT> </TD></TR></TBODY></TABLE></FORM><PRE></PRE>"));
    writeHtmlTotals(files, directories);
    writeLine(QStringLiteral("</BODY></HTML>"));
}

QString TreeListWriter::shownFolderName(const QString &directory) const
{
    return ScriptName(LastPathPart(directory, m_separator));
}

QString TreeListWriter::declaredIdentifier(const QString &directory) const
{
    const QString trimmed = TrimmedPath(directory, m_separator);
    const auto found = m_declaredIdentifiers.constFind(trimmed);
    return found != m_declaredIdentifiers.cend() ? *found : FolderIdentifier(directory, m_separator);
}

QString TreeListWriter::declareFolder(const QString &directory)
{
    const QString trimmed = TrimmedPath(directory, m_separator);
    if (const auto found = m_declaredIdentifiers.constFind(trimmed); found != m_declaredIdentifiers.cend())
        return *found;
    const QString plain = FolderIdentifier(directory, m_separator);
    QString identifier = plain;
    for (int suffix = 2; m_usedIdentifiers.contains(identifier); ++suffix)
        identifier = plain + QLatin1Char('_') + QString::number(suffix);
    m_usedIdentifiers.insert(identifier);
    m_declaredIdentifiers.insert(trimmed, identifier);
    return identifier;
}
