#include "books/xmp_metadata.h"

#include "books/bounded_xml.h"

#include <QBuffer>

namespace {

// The rdf:li entries of the current property, up to its end.
QStringList ListEntries(BoundedXmlReader &reader, QStringView property, QString *defaultEntry)
{
    QStringList entries;
    while (reader.next() && !reader.isEndOf(property)) {
        if (!reader.isStartOf(u"li"))
            continue;
        const bool isDefault = reader.xml().attributes().value(QLatin1String("xml:lang")) == QLatin1String("x-default");
        const QString entry = reader.elementText();
        if (isDefault && defaultEntry)
            *defaultEntry = entry;
        entries.append(entry);
    }
    return entries;
}

bool IsDublinCore(const BoundedXmlReader &reader)
{
    return reader.xml().namespaceUri() == QLatin1String("http://purl.org/dc/elements/1.1/");
}

} // namespace

BookMetadata ParseXmp(const QByteArray &packet, const ReadLimits &limits)
{
    QByteArray bytes = packet;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    BoundedXmlReader reader(buffer, limits);
    QStringList creators;
    QString title;
    while (reader.next()) {
        if (!IsDublinCore(reader))
            continue;
        if (reader.isStartOf(u"creator")) {
            creators = ListEntries(reader, u"creator", nullptr);
        } else if (reader.isStartOf(u"title")) {
            QString defaultTitle;
            const QStringList titles = ListEntries(reader, u"title", &defaultTitle);
            title = !defaultTitle.isEmpty() ? defaultTitle : titles.value(0);
        }
    }
    return {CleanAuthors(creators), CleanMetadataText(title)};
}
