#pragma once

// Small books of each kind, written by the tests themselves.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace fixtures {

struct ZipEntry
{
    QString name;
    QByteArray data;
    bool stored = false; // kept uncompressed, as EPUB's mimetype must be
};
bool WriteZip(const QString &path, const QList<ZipEntry> &entries);
bool WriteFile(const QString &path, const QByteArray &data);

QByteArray ContainerXml(const QString &packagePath);
// EPUB 2: roles on the dc:creator elements ("" for none).
QByteArray Epub2Package(const QList<std::pair<QString, QString>> &creatorsAndRoles, const QString &title);
// EPUB 3: roles in refining meta elements.
QByteArray Epub3Package(const QList<std::pair<QString, QString>> &creatorsAndRoles, const QString &title);
// mimetype, container.xml and the package document at OEBPS/content.opf, plus extra entries.
QList<ZipEntry> EpubEntries(const QByteArray &package, const QList<ZipEntry> &extra = {});

// A PDF with one empty page; Info and XMP left out when empty. Strings go in as UTF-16.
struct PdfContent
{
    QString infoAuthor;
    QString infoTitle;
    QByteArray xmp;
    QByteArray filler; // an extra stream object, to make a big file
    bool compressXmp = false;
};
QByteArray Pdf(const PdfContent &content);
// The same document locked with the user password "secret" (RC4, 40 bits).
QByteArray LockedPdf(const PdfContent &content);
QByteArray Xmp(const QStringList &creators, const QString &title);

struct MobiContent
{
    QByteArray palmName;
    QStringList exthAuthors;
    QString exthTitle;
    bool withExth = true;
    QString fullName;
};
QByteArray Mobi(const MobiContent &content);

// Authors as "First Last"; the text goes out in the given encoding.
QByteArray Fb2(const QStringList &authors, const QString &title, const char *encoding = "UTF-8");

} // namespace fixtures
