#include "books/pdf_reader.h"

#include "books/xmp_metadata.h"
#include "books/xmp_packet.h"

#include <poppler-qt6.h>

#include <mutex>
#include <optional>

namespace {

// The header may follow some junk, as PDF readers accept.
constexpr qsizetype kHeaderSearchSize = 1024;

// A damaged book is normal here: Poppler's complaints about it are not the user's business.
void Silence(const QString &, const QVariant &) {}

void SilencePoppler()
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { Poppler::setDebugErrorFunction(Silence, QVariant()); });
}

// Author and Title of the document information; nothing for a locked or unreadable document.
// Poppler is done with the file when this returns.
std::optional<BookMetadata> ReadDocumentInformation(QIODevice &file)
{
    SilencePoppler();
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(&file);
    if (!document || document->isLocked())
        return std::nullopt;
    return BookMetadata{CleanAuthors({document->info(QStringLiteral("Author"))}),
                        CleanMetadataText(document->info(QStringLiteral("Title")))};
}

} // namespace

bool IsPdf(const QByteArray &head)
{
    return head.left(kHeaderSearchSize).contains("%PDF-");
}

BookMetadata ReadPdf(QIODevice &file, const ReadLimits &limits)
{
    const std::optional<BookMetadata> info = ReadDocumentInformation(file);
    if (!info)
        return {};
    // Poppler's own metadata() inflates the XMP stream without any limit: a few hundred
    // kilobytes of compressed blanks would take gigabytes.
    const BookMetadata xmp = ParseXmp(FindDocumentXmpPacket(file, limits), limits);
    return {xmp.authors.isEmpty() ? info->authors : xmp.authors, xmp.title.isEmpty() ? info->title : xmp.title};
}
