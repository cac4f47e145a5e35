#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

class QIODevice;
class ZipParts;

// FB2: the authors and book-title of <description><title-info>. Reading stops at the end of
// title-info, so the book's text and pictures after it are never read.
BookMetadata ReadFb2(QIODevice &file, const ReadLimits &limits);

// A zipped FB2 (.fb2.zip, .fbz): the first entry whose name ends in ".fb2".
bool HoldsFb2(const ZipParts &zip);
BookMetadata ReadZippedFb2(ZipParts &zip, const ReadLimits &limits);
