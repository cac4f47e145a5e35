#pragma once

#include "books/read_limits.h"

#include <QByteArray>

class QIODevice;

// The document's XMP packet, found among the file's bytes: a PDF keeps it uncompressed (PDF/A
// demands it) so that tools can find it without parsing the file. The packet taken is the
// last one that describes a PDF document (it names the PDF namespace): later updates of a
// PDF are appended, and pictures carry packets of their own. A packet longer than partCap,
// or a compressed one, is not read. Empty when there is none.
QByteArray FindDocumentXmpPacket(QIODevice &file, const ReadLimits &limits);
