#include "books/bounded_xml.h"

#include <QIODevice>

namespace {

constexpr qint64 kChunkSize = 64 * 1024;

} // namespace

BoundedXmlReader::BoundedXmlReader(QIODevice &source, const ReadLimits &limits)
    : source_(source)
    , limits_(limits)
{
}

bool BoundedXmlReader::next()
{
    while (!limits_.deadline.hasExpired()) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EndDocument:
            return false;
        case QXmlStreamReader::Invalid:
            if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError || !feed())
                return false;
            break;
        default:
            return true;
        }
    }
    return false;
}

bool BoundedXmlReader::feed()
{
    const qint64 room = limits_.partCap - consumed_;
    if (room <= 0)
        return false;
    const QByteArray chunk = source_.read(qMin(room, kChunkSize));
    if (chunk.isEmpty())
        return false;
    consumed_ += chunk.size();
    xml_.addData(chunk);
    return true;
}

QString BoundedXmlReader::elementText()
{
    QString text;
    int depth = 1;
    while (next()) {
        if (xml_.isStartElement())
            ++depth;
        else if (xml_.isEndElement() && --depth == 0)
            return text;
        else if (xml_.isCharacters())
            text += xml_.text();
    }
    return {};
}

bool BoundedXmlReader::isStartOf(QStringView localName) const
{
    return xml_.isStartElement() && xml_.name() == localName;
}

bool BoundedXmlReader::isEndOf(QStringView localName) const
{
    return xml_.isEndElement() && xml_.name() == localName;
}
