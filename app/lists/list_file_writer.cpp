#include "lists/list_file_writer.h"

#include "base/text_lines.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int code)
{
    return qt_error_string(code);
}

// A hidden name beside the list that nothing else uses: ".EBook.txt.new-k3x9a".
QString hiddenSibling(const QString &listDirectory, const QString &fileName, const char *tag)
{
    const QString random = QString::number(QRandomGenerator::global()->generate64(), 36);
    return listDirectory + QLatin1Char('.') + fileName + QLatin1Char('.') + QLatin1String(tag) + QLatin1Char('-')
           + random;
}

bool renamePath(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

ListFileWriter::ListFileWriter(const QString &fileName, Encoding encoding)
    : m_fileName(fileName), m_encoding(encoding)
{
}

ListFileWriter::~ListFileWriter()
{
    abandon();
}

bool ListFileWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    abandon();
    m_error.clear();
    m_writeError.clear();
    // The list directory ends with its separator; empty means the current directory.
    m_listDirectory = listDirectory;
    m_path = listDirectory + m_fileName;
    if (!createNewFile())
        return false;
    m_buffer.reserve(kBufferSize);
    // Without it a browser may guess another encoding for the page.
    if (m_encoding == Encoding::Utf8WithByteOrderMark)
        m_buffer.append("\xEF\xBB\xBF");
    writeHead(title, topDirectory);
    return true;
}

bool ListFileWriter::createNewFile()
{
    // Created with the usual permissions (0666 less the umask), like any new file.
    int error = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = hiddenSibling(m_listDirectory, m_fileName, "new");
        const int descriptor =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            m_newPath = candidate;
            m_file = std::make_unique<QFile>();
            m_file->open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
            return true;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    setErrorString(QStringLiteral("Cannot create the list \"%1\": %2").arg(m_path, systemError(error)));
    return false;
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
    if (m_writeError.isEmpty() && !m_file->flush())
        m_writeError = lastWriteError();
    // On disk before it replaces anything, so a crash cannot leave an empty list behind.
    if (m_writeError.isEmpty() && ::fdatasync(m_file->handle()) != 0)
        m_writeError = systemError(errno);
    m_file.reset();
    if (!m_writeError.isEmpty()) {
        setErrorString(QStringLiteral("Cannot complete the list \"%1\": %2").arg(m_path, m_writeError));
        removeNewFile();
        return false;
    }
    return true;
}

bool ListFileWriter::replaceOldList()
{
    const QByteArray path = QFile::encodeName(m_path);
    struct stat old {};
    if (::lstat(path.constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            setErrorString(QStringLiteral("Cannot replace the list \"%1\": it is a folder.").arg(m_path));
            return false;
        }
        const QString aside = hiddenSibling(m_listDirectory, m_fileName, "old");
        if (!renamePath(m_path, aside)) {
            setErrorString(QStringLiteral("Cannot replace the list \"%1\": %2").arg(m_path, systemError(errno)));
            return false;
        }
        m_oldPath = aside;
    }
    if (!renamePath(m_newPath, m_path)) {
        setErrorString(QStringLiteral("Cannot replace the list \"%1\": %2").arg(m_path, systemError(errno)));
        if (!m_oldPath.isEmpty() && renamePath(m_oldPath, m_path))
            m_oldPath.clear();
        return false;
    }
    m_replaced = true;
    return true;
}

void ListFileWriter::restoreOldList()
{
    if (!m_replaced)
        return;
    m_replaced = !renamePath(m_path, m_newPath);
    if (!m_oldPath.isEmpty() && renamePath(m_oldPath, m_path))
        m_oldPath.clear();
}

void ListFileWriter::dropOldList()
{
    if (!m_oldPath.isEmpty())
        ::unlink(QFile::encodeName(m_oldPath).constData());
    m_oldPath.clear();
    m_newPath.clear();
    m_replaced = false;
}

void ListFileWriter::abandon()
{
    m_file.reset();
    m_buffer.truncate(0);
    if (!m_replaced)
        removeNewFile();
}

void ListFileWriter::removeNewFile()
{
    if (!m_newPath.isEmpty())
        ::unlink(QFile::encodeName(m_newPath).constData());
    m_newPath.clear();
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
    const int code = errno;
    return code != 0 ? systemError(code) : m_file->errorString();
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
