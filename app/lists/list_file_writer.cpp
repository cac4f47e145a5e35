#include "lists/list_file_writer.h"

#include "base/text_lines.h"
#include "lists/list_file_path.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEndBytes = kLineEnd;

QString systemError(int code)
{
    return qt_error_string(code);
}

// The start of a hidden name beside the list: ".EBook.txt.new-".
QString hiddenPrefix(const QString &fileName, const char *tag)
{
    return QLatin1Char('.') + fileName + QLatin1Char('.') + QLatin1String(tag) + QLatin1Char('-');
}

// A hidden name beside the list that nothing else uses: ".EBook.txt.new-k3x9a".
QString hiddenSibling(const QString &listDirectory, const QString &fileName, const char *tag)
{
    const QString random = QString::number(QRandomGenerator::global()->generate64(), 36);
    return ListFilePath(listDirectory, hiddenPrefix(fileName, tag) + random);
}

// The random part of a hidden name, as hiddenSibling makes it.
bool isRandomPart(const char *text)
{
    return *text != '\0' && std::strspn(text, "0123456789abcdefghijklmnopqrstuvwxyz") == std::strlen(text);
}

// A draft whose run was killed: of this program's naming, a plain file, and not held by
// a run still writing it (each run holds a lock on its drafts; the system drops the lock
// of a killed process).
bool isStaleDraft(int folder, const char *name, const QByteArray &prefix)
{
    if (std::strncmp(name, prefix.constData(), size_t(prefix.size())) != 0 || !isRandomPart(name + prefix.size()))
        return false;
    const int descriptor = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info {};
    const bool stale = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)
                       && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
    ::close(descriptor);
    return stale;
}

// Removes what a killed run left of this list in the list folder, nothing else.
void removeStaleDrafts(const QString &listDirectory, const QString &fileName)
{
    DIR *folder = ::opendir(QFile::encodeName(listDirectory).constData());
    if (!folder)
        return;
    const QByteArray prefix = QFile::encodeName(hiddenPrefix(fileName, "new"));
    while (const dirent *entry = ::readdir(folder)) {
        if (isStaleDraft(::dirfd(folder), entry->d_name, prefix))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

#if defined(__SSE2__)
// Copies eight characters as bytes when all of them are ASCII.
bool copyAsciiBlock(const char16_t *in, char *out)
{
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const __m128i ascii = _mm_cmpeq_epi16(_mm_and_si128(chars, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
    if (_mm_movemask_epi8(ascii) != 0xFFFF)
        return false;
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(chars, chars));
    return true;
}
#endif

// Copies the ASCII characters at the start of text as the bytes they are in UTF-8, and
// says how many. Most of a list is ASCII; the encoder goes through the short pieces of
// a line and the ends of longer ones a character at a time.
qsizetype copyLeadingAscii(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    while (size - i >= 8 && copyAsciiBlock(in + i, out + i))
        i += 8;
    // The last few characters with the ones before them, copied again.
    if (i < size && size >= 8 && size - i < 8 && copyAsciiBlock(in + size - 8, out + size - 8))
        return size;
#endif
    for (; i < size && in[i] < 0x80; ++i)
        out[i] = char(in[i]);
    return i;
}

char *copyBytes(std::string_view bytes, char *out)
{
    std::memcpy(out, bytes.data(), bytes.size());
    return out + bytes.size();
}

bool renamePath(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

ListFileWriter::ListFileWriter(const QString &fileName, Encoding encoding)
    : fileName_(fileName), encoding_(encoding)
{
}

ListFileWriter::~ListFileWriter()
{
    abandon();
}

bool ListFileWriter::openList(const QString &listDirectory, const QString &title, const QString &topDirectory)
{
    abandon();
    error_.clear();
    writeError_.clear();
    if (listDirectory.isEmpty()) {
        // Not the working folder, where the lists would land beside the database unseen.
        setErrorString(QStringLiteral("No list folder is chosen for %1.").arg(fileName_));
        return false;
    }
    listDirectory_ = listDirectory;
    path_ = ListFilePath(listDirectory, fileName_);
    removeStaleDrafts(listDirectory, fileName_);
    if (!createNewFile())
        return false;
    buffer_.resize(kBufferSize);
    used_ = 0;
    // Without it a browser may guess another encoding for the page.
    if (encoding_ == Encoding::Utf8WithByteOrderMark)
        used_ = copyBytes(kByteOrderMark, buffer_.data()) - buffer_.constData();
    writeHead(title, topDirectory);
    return true;
}

bool ListFileWriter::createNewFile()
{
    // Created with the usual permissions (0666 less the umask), like any new file.
    int error = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString candidate = hiddenSibling(listDirectory_, fileName_, "new");
        const int descriptor =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            // Held until the draft is in place or gone, so another run does not take it
            // for a killed run's leftover.
            ::flock(descriptor, LOCK_EX | LOCK_NB);
            draftLock_ = ::dup(descriptor);
            newPath_ = candidate;
            file_ = std::make_unique<QFile>();
            file_->open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
            return true;
        }
        error = errno;
        if (error != EEXIST)
            break;
    }
    setErrorString(QStringLiteral("Cannot create the list \"%1\": %2").arg(path_, systemError(error)));
    return false;
}

bool ListFileWriter::closeList(qint32 files, qint32 directories, const QString &title)
{
    if (!file_) {
        if (error_.isEmpty())
            setErrorString(QStringLiteral("The list \"%1\" was not opened.").arg(fileName_));
        return false;
    }
    writeTail(files, directories, title);
    writeBuffer();
    if (writeError_.isEmpty() && !file_->flush())
        writeError_ = lastWriteError();
    // On disk before it replaces anything, so a crash cannot leave an empty list behind.
    if (writeError_.isEmpty() && ::fdatasync(file_->handle()) != 0)
        writeError_ = systemError(errno);
    file_.reset();
    if (!writeError_.isEmpty()) {
        setErrorString(QStringLiteral("Cannot complete the list \"%1\": %2").arg(path_, writeError_));
        removeNewFile();
        return false;
    }
    return true;
}

bool ListFileWriter::replaceOldList()
{
    const QByteArray path = QFile::encodeName(path_);
    struct stat old {};
    if (::lstat(path.constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            setErrorString(QStringLiteral("Cannot replace the list \"%1\": it is a folder.").arg(path_));
            return false;
        }
        const QString aside = hiddenSibling(listDirectory_, fileName_, "old");
        if (!renamePath(path_, aside)) {
            setErrorString(QStringLiteral("Cannot replace the list \"%1\": %2").arg(path_, systemError(errno)));
            return false;
        }
        oldPath_ = aside;
    }
    if (!renamePath(newPath_, path_)) {
        setErrorString(QStringLiteral("Cannot replace the list \"%1\": %2").arg(path_, systemError(errno)));
        if (!oldPath_.isEmpty() && renamePath(oldPath_, path_))
            oldPath_.clear();
        return false;
    }
    replaced_ = true;
    return true;
}

void ListFileWriter::restoreOldList()
{
    if (!replaced_)
        return;
    replaced_ = !renamePath(path_, newPath_);
    if (!oldPath_.isEmpty() && renamePath(oldPath_, path_))
        oldPath_.clear();
}

void ListFileWriter::dropOldList()
{
    if (!oldPath_.isEmpty())
        ::unlink(QFile::encodeName(oldPath_).constData());
    oldPath_.clear();
    newPath_.clear();
    releaseDraftLock();
    replaced_ = false;
}

void ListFileWriter::releaseDraftLock()
{
    if (draftLock_ >= 0)
        ::close(draftLock_);
    draftLock_ = -1;
}

void ListFileWriter::abandon()
{
    file_.reset();
    used_ = 0;
    if (!replaced_)
        removeNewFile();
    else
        releaseDraftLock();
}

void ListFileWriter::removeNewFile()
{
    if (!newPath_.isEmpty())
        ::unlink(QFile::encodeName(newPath_).constData());
    newPath_.clear();
    releaseDraftLock();
}

QString ListFileWriter::errorString() const
{
    return error_;
}

// Encoded straight into one large buffer: a list has a line per file, and a conversion
// and a write call for each would cost more than the walk itself.
void ListFileWriter::writeLine(std::initializer_list<QStringView> pieces)
{
    if (!file_ || !writeError_.isEmpty())
        return;
    qsizetype length = 0;
    for (const QStringView piece : pieces)
        length += piece.size();
    const qsizetype needed = encoder_.requiredSpace(length) + qsizetype(kLineEndBytes.size());
    if (used_ + needed > buffer_.size()) {
        writeBuffer();
        // Only a line longer than the whole buffer (a path thousands of folders deep).
        if (needed > buffer_.size())
            buffer_.resize(needed);
    }
    char *end = buffer_.data() + used_;
    for (const QStringView piece : pieces) {
        const qsizetype ascii = copyLeadingAscii(piece, end);
        end += ascii;
        // Cut before a character that is not ASCII, so never inside a surrogate pair.
        if (ascii < piece.size())
            end = encoder_.appendToBuffer(end, piece.sliced(ascii));
    }
    used_ = copyBytes(kLineEndBytes, end) - buffer_.constData();
}

void ListFileWriter::writeBuffer()
{
    if (writeError_.isEmpty() && file_->write(buffer_.constData(), used_) != used_)
        writeError_ = lastWriteError();
    used_ = 0;
}

QString ListFileWriter::lastWriteError() const
{
    // A failed flush leaves the file's own message empty ("Unknown error") while the
    // system still knows why the write failed (a full disk, a file too large).
    const int code = errno;
    return code != 0 ? systemError(code) : file_->errorString();
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
    error_ = error;
}
