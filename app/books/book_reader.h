#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

class QString;

// What the book at path says about itself. The kind of book is told by its first bytes, not
// its name: a zip holding META-INF/container.xml (EPUB) or an .fb2 entry, a PDF, a Palm
// database (MOBI, AZW3) or an FB2 XML file. Anything else, a file that is not a regular file
// and every damaged book give an empty result. Nothing is written anywhere. Safe to call
// from any thread.
BookMetadata ReadBookMetadata(const QString &path, const ReadLimits &limits = {});
