#include "books/bounded_xml.h"

#include <QIODevice>

namespace {

constexpr qint64 kChunkSize = 64 * 1024;

} // namespace

BoundedXmlReader::BoundedXmlReader(QIODevice &source, const ReadLimits &limits)
    : m_source(source)
    , m_limits(limits)
{
}

bool BoundedXmlReader::next()
{
    while (!m_limits.deadline.hasExpired()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EndDocument:
            return false;
        case QXmlStreamReader::Invalid:
            if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || !feed())
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
    const qint64 room = m_limits.partCap - m_consumed;
    if (room <= 0)
        return false;
    const QByteArray chunk = m_source.read(qMin(room, kChunkSize));
    if (chunk.isEmpty())
        return false;
    m_consumed += chunk.size();
    m_xml.addData(chunk);
    return true;
}

QString BoundedXmlReader::elementText()
{
    QString text;
    int depth = 1;
    while (next()) {
        if (m_xml.isStartElement())
            ++depth;
        else if (m_xml.isEndElement() && --depth == 0)
            return text;
        else if (m_xml.isCharacters())
            text += m_xml.text();
    }
    return {};
}

bool BoundedXmlReader::isStartOf(QStringView localName) const
{
    return m_xml.isStartElement() && m_xml.name() == localName;
}

bool BoundedXmlReader::isEndOf(QStringView localName) const
{
    return m_xml.isEndElement() && m_xml.name() == localName;
}
