#pragma once

#include "books/book_metadata.h"
#include "books/read_limits.h"

// dc:creator (every entry of its list) and dc:title (the "x-default" entry, else the first)
// of an XMP packet.
BookMetadata ParseXmp(const QByteArray &packet, const ReadLimits &limits);
