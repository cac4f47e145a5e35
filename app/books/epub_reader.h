#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

class ZipParts;

inline constexpr char kEpubContainerName[] = "META-INF/container.xml";

// EPUB 2 and 3: META-INF/container.xml names the package document, whose metadata holds
// dc:creator (authors; other contributors such as editors are left out when the book marks
// them) and dc:title (the first one).
BookMetadata ReadEpub(ZipParts &zip, const ReadLimits &limits);
