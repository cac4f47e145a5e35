#include "books/epub_reader.h"

#include "books/bounded_xml.h"
#include "books/zip_parts.h"

#include <QHash>
#include <QIODevice>

namespace {

constexpr char kPackageMediaType[] = "application/oebps-package+xml";

QString PackagePath(ZipParts &zip, const ReadLimits &limits)
{
    const std::unique_ptr<QIODevice> container = zip.open(QString::fromLatin1(kEpubContainerName));
    if (!container)
        return {};
    BoundedXmlReader reader(*container, limits);
    while (reader.next()) {
        if (!reader.isStartOf(u"rootfile"))
            continue;
        const QXmlStreamAttributes attributes = reader.xml().attributes();
        const QStringView mediaType = attributes.value(QLatin1String("media-type"));
        if (mediaType.isEmpty() || mediaType == QLatin1String(kPackageMediaType))
            return attributes.value(QLatin1String("full-path")).toString();
    }
    return {};
}

struct Creator
{
    QString id;
    QString role; // EPUB 2 names it on the element; EPUB 3 in a refining meta
    QString name;
};

// The package metadata as read, before the roles of EPUB 3 are applied.
struct PackageMetadata
{
    QList<Creator> creators;
    QHash<QString, QString> rolesById;
    QString title;
};

QString RoleAttribute(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        if (attribute.name() == QLatin1String("role"))
            return attribute.value().toString();
    }
    return {};
}

void ReadRoleRefinement(BoundedXmlReader &reader, PackageMetadata &metadata)
{
    const QXmlStreamAttributes attributes = reader.xml().attributes();
    const QStringView refines = attributes.value(QLatin1String("refines"));
    if (attributes.value(QLatin1String("property")) != QLatin1String("role") || !refines.startsWith(u'#')) {
        return;
    }
    const QString id = refines.mid(1).toString();
    metadata.rolesById.insert(id, reader.elementText().trimmed());
}

// Reads up to the end of <metadata>; false when the document stopped before it.
bool ReadPackageMetadata(BoundedXmlReader &reader, PackageMetadata &metadata)
{
    while (reader.next()) {
        if (reader.isEndOf(u"metadata"))
            return true;
        if (reader.isStartOf(u"creator")) {
            const QXmlStreamAttributes attributes = reader.xml().attributes();
            Creator creator{attributes.value(QLatin1String("id")).toString(), RoleAttribute(attributes), {}};
            creator.name = reader.elementText();
            metadata.creators.append(creator);
        } else if (reader.isStartOf(u"title")) {
            const QString title = reader.elementText();
            if (metadata.title.isEmpty())
                metadata.title = title;
        } else if (reader.isStartOf(u"meta")) {
            ReadRoleRefinement(reader, metadata);
        }
    }
    return false;
}

// The creators marked as authors, or unmarked; all of them when every one is marked otherwise.
QStringList Authors(const PackageMetadata &metadata)
{
    QStringList authors;
    QStringList everyone;
    for (const Creator &creator : metadata.creators) {
        const QString role = creator.role.isEmpty() ? metadata.rolesById.value(creator.id) : creator.role;
        if (role.isEmpty() || role == QLatin1String("aut"))
            authors.append(creator.name);
        everyone.append(creator.name);
    }
    return authors.isEmpty() ? everyone : authors;
}

} // namespace

BookMetadata ReadEpub(ZipParts &zip, const ReadLimits &limits)
{
    const QString packagePath = PackagePath(zip, limits);
    const std::unique_ptr<QIODevice> package = packagePath.isEmpty() ? nullptr : zip.open(packagePath);
    if (!package)
        return {};
    BoundedXmlReader reader(*package, limits);
    PackageMetadata metadata;
    if (!ReadPackageMetadata(reader, metadata))
        return {};
    return {CleanAuthors(Authors(metadata)), CleanMetadataText(metadata.title)};
}
