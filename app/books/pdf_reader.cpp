#include "books/pdf_reader.h"

#include "books/xmp_metadata.h"
#include "books/xmp_packet.h"
#include "pdf_backend/pdf_information.h"

#include <QPluginLoader>

#include <optional>

namespace {

// The header may follow some junk, as PDF readers accept.
constexpr qsizetype kHeaderSearchSize = 1024;

// Loaded on the first PDF and kept for the rest of the run; null when it cannot be loaded.
// The plugin is looked for in the library paths, the program's folder among them.
PdfInformation *LoadedInformation()
{
    static PdfInformation *const information = [] {
        QPluginLoader plugin(QStringLiteral("shelvana-pdf"));
        auto *loaded = qobject_cast<PdfInformation *>(plugin.instance());
        if (!loaded)
            qWarning("PDF books cannot be read: %s", qPrintable(plugin.errorString()));
        return loaded;
    }();
    return information;
}

// Author and Title of the document information; nothing for a locked or unreadable document.
std::optional<BookMetadata> ReadDocumentInformation(QIODevice &file)
{
    PdfInformation *const information = LoadedInformation();
    const std::optional<PdfInformation::Fields> fields = information ? information->read(file) : std::nullopt;
    if (!fields)
        return std::nullopt;
    return BookMetadata{CleanAuthors({fields->author}), CleanMetadataText(fields->title)};
}

} // namespace

void PreparePdfReading()
{
    LoadedInformation();
}

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
