#include "books/fb2_reader.h"

#include "books/bounded_xml.h"
#include "books/zip_parts.h"

#include <QIODevice>

namespace {

QString Fb2EntryName(const ZipParts &zip)
{
    const QStringList names = zip.names();
    for (const QString &name : names) {
        if (name.endsWith(QLatin1String(".fb2"), Qt::CaseInsensitive))
            return name;
    }
    return {};
}

// "First Middle Last"; the nickname when the parts are all empty.
QString AuthorName(BoundedXmlReader &reader)
{
    QStringList parts;
    QString nickname;
    while (reader.next() && !reader.isEndOf(u"author")) {
        if (reader.isStartOf(u"first-name") || reader.isStartOf(u"middle-name") || reader.isStartOf(u"last-name"))
            parts.append(CleanMetadataText(reader.elementText()));
        else if (reader.isStartOf(u"nickname"))
            nickname = reader.elementText();
    }
    parts.removeAll(QString());
    return parts.isEmpty() ? nickname : parts.join(QLatin1Char(' '));
}

bool NextStartElement(BoundedXmlReader &reader)
{
    while (reader.next()) {
        if (reader.xml().isStartElement())
            return true;
    }
    return false;
}

// Any other XML document ends at its root.
bool ReachTitleInfo(BoundedXmlReader &reader)
{
    if (!NextStartElement(reader) || reader.xml().name() != QLatin1String("FictionBook"))
        return false;
    while (NextStartElement(reader)) {
        if (reader.xml().name() == QLatin1String("title-info"))
            return true;
    }
    return false;
}

} // namespace

BookMetadata ReadFb2(QIODevice &file, const ReadLimits &limits)
{
    BoundedXmlReader reader(file, limits);
    if (!ReachTitleInfo(reader))
        return {};
    QStringList authors;
    QString title;
    while (reader.next()) {
        if (reader.isEndOf(u"title-info"))
            return {CleanAuthors(authors), CleanMetadataText(title)};
        if (reader.isStartOf(u"author"))
            authors.append(AuthorName(reader));
        else if (reader.isStartOf(u"book-title"))
            title = reader.elementText();
    }
    return {};
}

bool HoldsFb2(const ZipParts &zip)
{
    return !Fb2EntryName(zip).isEmpty();
}

BookMetadata ReadZippedFb2(ZipParts &zip, const ReadLimits &limits)
{
    const QString name = Fb2EntryName(zip);
    const std::unique_ptr<QIODevice> entry = name.isEmpty() ? nullptr : zip.open(name);
    return entry ? ReadFb2(*entry, limits) : BookMetadata{};
}
