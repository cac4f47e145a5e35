#include "books/pdf_reader.h"

#include "books/xmp_metadata.h"

#include <poppler-qt6.h>

#include <mutex>

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

} // namespace

bool IsPdf(const QByteArray &head)
{
    return head.left(kHeaderSearchSize).contains("%PDF-");
}

BookMetadata ReadPdf(QIODevice &file, const ReadLimits &limits)
{
    SilencePoppler();
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(&file);
    if (!document || document->isLocked())
        return {};
    const BookMetadata xmp = ParseXmp(document->metadata().toUtf8(), limits);
    BookMetadata info{CleanAuthors({document->info(QStringLiteral("Author"))}),
                      CleanMetadataText(document->info(QStringLiteral("Title")))};
    if (!xmp.authors.isEmpty())
        info.authors = xmp.authors;
    if (!xmp.title.isEmpty())
        info.title = xmp.title;
    return info;
}
