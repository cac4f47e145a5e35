#include "books/book_reader.h"

#include "books/epub_reader.h"
#include "books/fb2_reader.h"
#include "books/mobi_reader.h"
#include "books/pdf_reader.h"
#include "books/regular_file.h"
#include "books/zip_parts.h"

#include <QFile>

namespace {

constexpr qint64 kHeadSize = 1024;

bool IsZip(const QByteArray &head)
{
    return head.startsWith("PK\x03\x04");
}

// XML starts with "<" after an optional byte order mark and blanks.
bool MayBeXml(const QByteArray &head)
{
    QByteArray text = head.startsWith("\xEF\xBB\xBF") ? head.mid(3) : head;
    return text.trimmed().startsWith('<');
}

BookMetadata ReadZip(QIODevice &file, const ReadLimits &limits)
{
    ZipParts zip(file);
    if (zip.contains(QString::fromLatin1(kEpubContainerName)))
        return ReadEpub(zip, limits);
    if (HoldsFb2(zip))
        return ReadZippedFb2(zip, limits);
    return {};
}

} // namespace

BookMetadata ReadBookMetadata(const QString &path, const ReadLimits &limits)
{
    QFile file;
    if (!OpenRegularFile(path, file))
        return {};
    const QByteArray head = file.peek(kHeadSize);
    if (IsZip(head))
        return ReadZip(file, limits);
    if (IsPdf(head))
        return ReadPdf(file, limits);
    if (IsPalmDatabase(head))
        return ReadMobi(file, limits);
    if (MayBeXml(head))
        return ReadFb2(file, limits);
    return {};
}
