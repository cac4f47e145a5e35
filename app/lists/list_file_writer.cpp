#include "lists/list_file_writer.h"

#include "shell/text_lines.h"

#include <QSaveFile>

#include <cerrno>

ListFileWriter::ListFileWriter(const QString &fileName, Encoding encoding)
    : m_fileName(fileName), m_encoding(encoding)
{
}

ListFileWriter::~ListFileWriter() = default;

bool ListFileWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    abandon();
    m_error.clear();
    m_writeError.clear();
    // The list directory ends with its separator; empty means the current directory.
    m_path = listDirectory + m_fileName;
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        setErrorString(QStringLiteral("Cannot create the list \"%1\": %2").arg(m_path, m_file->errorString()));
        m_file.reset();
        return false;
    }
    m_buffer.reserve(kBufferSize);
    // Without it a browser may guess another encoding for the page.
    if (m_encoding == Encoding::Utf8WithByteOrderMark)
        m_buffer.append("\xEF\xBB\xBF");
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
    writeBuffer();
    // The last buffered lines are written here. QSaveFile would commit a file cut short
    // by a failed flush, so a failure must stop before commit.
    if (m_writeError.isEmpty() && !m_file->flush())
        m_writeError = lastWriteError();
    if (m_writeError.isEmpty() && !m_file->commit())
        m_writeError = m_file->errorString();
    const bool complete = m_writeError.isEmpty();
    if (!complete)
        setErrorString(QStringLiteral("Cannot complete the list \"%1\": %2").arg(m_path, m_writeError));
    m_file.reset();
    return complete;
}

void ListFileWriter::abandon()
{
    // Destroying an uncommitted file removes it and keeps the old list.
    m_file.reset();
    m_buffer.truncate(0);
}

QString ListFileWriter::errorString() const
{
    return m_error;
}

void ListFileWriter::writeLine(const QString &line)
{
    if (!m_file || !m_writeError.isEmpty())
        return;
    // Encoded straight into one large buffer: a list has a line per file, and a
    // conversion and a write call for each would cost more than the walk itself.
    const qsizetype needed = m_encoder.requiredSpace(line.size()) + qsizetype(sizeof(kLineEnd) - 1);
    if (m_buffer.size() + needed > kBufferSize)
        writeBuffer();
    const qsizetype used = m_buffer.size();
    m_buffer.resize(used + needed);
    char *end = m_encoder.appendToBuffer(m_buffer.data() + used, line);
    for (const char *c = kLineEnd; *c; ++c)
        *end++ = *c;
    m_buffer.truncate(end - m_buffer.constData());
}

void ListFileWriter::writeBuffer()
{
    if (m_writeError.isEmpty() && m_file->write(m_buffer) != m_buffer.size())
        m_writeError = lastWriteError();
    m_buffer.truncate(0);
}

QString ListFileWriter::lastWriteError() const
{
    // A failed flush leaves the file's own message empty ("Unknown error") while the
    // system still knows why the write failed (a full disk, a file too large).
    const int systemError = errno;
    return systemError != 0 ? qt_error_string(systemError) : m_file->errorString();
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
