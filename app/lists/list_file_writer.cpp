#include "lists/list_file_writer.h"

#include "shell/text_lines.h"

#include <QSaveFile>

ListFileWriter::ListFileWriter(const QString &fileName, Encoding encoding)
    : m_fileName(fileName), m_encoding(encoding)
{
}

ListFileWriter::~ListFileWriter() = default;

bool ListFileWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    abandon();
    m_error.clear();
    // The list directory ends with its separator; empty means the current directory.
    m_path = listDirectory + m_fileName;
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        setErrorString(QStringLiteral("Cannot create the list \"%1\": %2").arg(m_path, m_file->errorString()));
        m_file.reset();
        return false;
    }
    // Without it a browser may guess another encoding for the page.
    if (m_encoding == Encoding::Utf8WithByteOrderMark)
        m_file->write("\xEF\xBB\xBF");
    writeHead(title, topDirectory);
    return true;
}

bool ListFileWriter::closeList(qint32 files, qint32 directories, const QString &title)
{
    if (!m_file) {
        if (m_error.isEmpty())
            setErrorString(QStringLiteral("The list \"%1\" was not opened.").arg(m_fileName));
        return false;
    }
    writeTail(files, directories, title);
    // A write that failed on the way (a full disk) shows here at the latest.
    const bool complete = m_file->flush() && m_file->error() == QFileDevice::NoError && m_file->commit();
    if (!complete)
        setErrorString(QStringLiteral("Cannot complete the list \"%1\": %2").arg(m_path, m_file->errorString()));
    m_file.reset();
    return complete;
}

void ListFileWriter::abandon()
{
    // Destroying an uncommitted file removes it and keeps the old list.
    m_file.reset();
}

QString ListFileWriter::errorString() const
{
    return m_error;
}

void ListFileWriter::writeLine(const QString &line)
{
    if (m_file)
        m_file->write(line.toUtf8().append(kLineEnd));
}

void ListFileWriter::writeHtmlDoctype()
{
    writeLine(QStringLiteral("<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.0 Transitional//EN'>"));
}

void ListFileWriter::writeHtmlTotals(qint32 files, qint32 directories)
{
    writeLine(QStringLiteral("<BR><BR><BR><B>Files = %1<BR>").arg(files));
    writeLine(QStringLiteral("Directories = %1</B><BR><BR><BR>").arg(directories));
}

void ListFileWriter::setErrorString(const QString &error)
{
    m_error = error;
}
