#pragma once

#include "books/read_limits.h"

#include <QXmlStreamReader>

class QIODevice;

// Reads an XML part from a device piece by piece, so that a reader can stop as soon as it has
// what it came for. It stops (next() gives false) at the end of the document, on malformed
// XML, on any document type declaration (entities are never expanded, so an entity bomb
// yields nothing), after partCap bytes of input, or when the deadline has passed.
class BoundedXmlReader
{
public:
    BoundedXmlReader(QIODevice &source, const ReadLimits &limits);

    // Moves to the next token; false when reading has to stop.
    bool next();
    // The text of the current element, nested elements' text included; the reader ends on
    // the element's end. Empty when reading stopped first.
    QString elementText();
    // Whether the current token starts an element with the given local name (any namespace:
    // sloppy files use other prefixes).
    bool isStartOf(QStringView localName) const;
    bool isEndOf(QStringView localName) const;

    const QXmlStreamReader &xml() const { return xml_; }

private:
    bool feed();

    QIODevice &source_;
    ReadLimits limits_;
    qint64 consumed_ = 0;
    QXmlStreamReader xml_;
};
