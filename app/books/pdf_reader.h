#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

class QIODevice;

bool IsPdf(const QByteArray &head);

// PDF: the document information's Author and Title, through Poppler, and the XMP metadata's
// dc:creator and dc:title (see FindDocumentXmpPacket). Where both have a value, XMP wins: it
// is the newer of the two and the one PDF 2.0 keeps. A locked (password) or unreadable
// document gives nothing.
BookMetadata ReadPdf(QIODevice &file, const ReadLimits &limits);

// Loads what reads a PDF's document information, which takes a few milliseconds the first time,
// so that the first PDF does not wait for it.
void PreparePdfReading();
