#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

#include <QByteArray>

class QIODevice;

// Whether the first bytes of a file are those of a Palm database (MOBI, AZW3, PalmDOC).
bool IsPalmDatabase(const QByteArray &head);

// MOBI and AZW3: the EXTH records 100 (author, once per author) and 503 (title); without a
// 503 the MOBI header's full name, else the Palm database name. Every offset in the file is
// checked against what was actually read.
BookMetadata ReadMobi(QIODevice &file, const ReadLimits &limits);
