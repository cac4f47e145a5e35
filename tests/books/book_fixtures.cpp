#include "book_fixtures.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringEncoder>
#include <QtEndian>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <array>

namespace fixtures {

bool WriteZip(const QString &path, const QList<ZipEntry> &entries)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool written = true;
    for (const ZipEntry &entry : entries) {
        QuaZipFile file(&zip);
        const int method = entry.stored ? 0 : Z_DEFLATED;
        written = written && file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.name), nullptr, 0, method)
                  && file.write(entry.data) == entry.data.size();
        file.close();
    }
    zip.close();
    return written && zip.getZipError() == ZIP_OK;
}

bool WriteFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QByteArray ContainerXml(const QString &packagePath)
{
    return "<?xml version=\"1.0\"?>\n"
           "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
           " <rootfiles><rootfile full-path=\"" + packagePath.toUtf8()
           + "\" media-type=\"application/oebps-package+xml\"/></rootfiles>\n</container>\n";
}

namespace {

QByteArray Escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray Package(const QByteArray &version, const QByteArray &metadata)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"" + version
           + "\" unique-identifier=\"id\">\n"
             " <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:opf=\"http://www.idpf.org/2007/opf\">\n"
           + metadata + " </metadata>\n <manifest/>\n <spine/>\n</package>\n";
}

} // namespace

QByteArray Epub2Package(const QList<std::pair<QString, QString>> &creatorsAndRoles, const QString &title)
{
    QByteArray metadata = "  <dc:title>" + Escaped(title) + "</dc:title>\n";
    for (const auto &[creator, role] : creatorsAndRoles) {
        const QByteArray roleAttribute = role.isEmpty() ? QByteArray() : " opf:role=\"" + role.toUtf8() + "\"";
        metadata += "  <dc:creator" + roleAttribute + ">" + Escaped(creator) + "</dc:creator>\n";
    }
    return Package("2.0", metadata);
}

QByteArray Epub3Package(const QList<std::pair<QString, QString>> &creatorsAndRoles, const QString &title)
{
    QByteArray metadata = "  <dc:title id=\"t1\">" + Escaped(title) + "</dc:title>\n"
                          "  <meta refines=\"#t1\" property=\"title-type\">main</meta>\n";
    int number = 0;
    for (const auto &[creator, role] : creatorsAndRoles) {
        const QByteArray id = "c" + QByteArray::number(++number);
        metadata += "  <dc:creator id=\"" + id + "\">\n    " + Escaped(creator) + "\n  </dc:creator>\n";
        if (!role.isEmpty())
            metadata += "  <meta refines=\"#" + id + "\" property=\"role\" scheme=\"marc:relators\">" + role.toUtf8()
                        + "</meta>\n";
    }
    return Package("3.0", metadata);
}

QList<ZipEntry> EpubEntries(const QByteArray &package, const QList<ZipEntry> &extra)
{
    QList<ZipEntry> entries{{"mimetype", "application/epub+zip", true},
                            {"META-INF/container.xml", ContainerXml("OEBPS/content.opf")},
                            {"OEBPS/content.opf", package}};
    return entries + extra;
}

namespace {

QByteArray PdfText(const QString &text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

// Numbers the objects from 1 and writes the cross-reference table for them.
QByteArray PdfFile(const QList<QByteArray> &objects, const QByteArray &trailerEntries)
{
    QByteArray file = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(file.size());
        file += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = file.size();
    file += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        file += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    file += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R " + trailerEntries
            + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return file;
}

QByteArray Stream(const QByteArray &dictionary, const QByteArray &data)
{
    return "<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data
           + "\nendstream";
}

// Objects 1 to 3 are the catalog, page tree and page; then Info, the filler and XMP.
QList<QByteArray> PdfObjects(const PdfContent &content, QByteArray *trailerEntries)
{
    QByteArray catalog = "<< /Type /Catalog /Pages 2 0 R";
    QList<QByteArray> objects{{}, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                              "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"};
    QByteArray info;
    if (!content.infoAuthor.isEmpty())
        info += " /Author " + PdfText(content.infoAuthor);
    if (!content.infoTitle.isEmpty())
        info += " /Title " + PdfText(content.infoTitle);
    if (!info.isEmpty()) {
        objects.append("<<" + info + " >>");
        *trailerEntries += "/Info " + QByteArray::number(objects.size()) + " 0 R ";
    }
    if (!content.filler.isEmpty())
        objects.append(Stream("", content.filler));
    if (!content.xmp.isEmpty()) {
        objects.append(content.compressXmp ? Stream("/Type /Metadata /Subtype /XML /Filter /FlateDecode",
                                                    qCompress(content.xmp, 9).mid(4))
                                           : Stream("/Type /Metadata /Subtype /XML", content.xmp));
        catalog += " /Metadata " + QByteArray::number(objects.size()) + " 0 R";
    }
    objects[0] = catalog + " >>";
    return objects;
}

using Rc4Key = QByteArray;

QByteArray Rc4(const Rc4Key &key, const QByteArray &data)
{
    std::array<uchar, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = uchar(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + uchar(key[i % key.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    QByteArray out(data.size(), '\0');
    for (int n = 0, i = 0, j = 0; n < data.size(); ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        out[n] = char(uchar(data[n]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
    return out;
}

QByteArray Padded(const QByteArray &password)
{
    static const QByteArray padding = QByteArray::fromHex("28BF4E5E4E758A4164004E56FFFA01082E2E00B6D0683E802F0CA9FE6453697A");
    return (password + padding).left(32);
}

QByteArray Md5(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5);
}

} // namespace

QByteArray Pdf(const PdfContent &content)
{
    QByteArray trailer;
    const QList<QByteArray> objects = PdfObjects(content, &trailer);
    return PdfFile(objects, trailer);
}

// The standard security handler, revision 2: what a PDF writer does for a user password.
QByteArray LockedPdf(const PdfContent &content)
{
    QByteArray trailer;
    QList<QByteArray> objects = PdfObjects(content, &trailer);
    const QByteArray id = QByteArray::fromHex("0123456789ABCDEF0123456789ABCDEF");
    const qint32 permissions = -4;
    const QByteArray owner = Rc4(Md5(Padded("owner")).left(5), Padded("secret"));
    QByteArray p(4, '\0');
    qToLittleEndian(permissions, p.data());
    const QByteArray key = Md5(Padded("secret") + owner + p + id).left(5);
    const QByteArray user = Rc4(key, Padded({}));
    objects.append("<< /Filter /Standard /V 1 /R 2 /O <" + owner.toHex() + "> /U <" + user.toHex() + "> /P "
                   + QByteArray::number(permissions) + " >>");
    trailer += "/Encrypt " + QByteArray::number(objects.size()) + " 0 R /ID [<" + id.toHex() + "> <" + id.toHex()
               + ">]";
    return PdfFile(objects, trailer);
}

// A document's packet, as PDF writers make it (with the PDF namespace); leaves dc:creator and
// dc:title out when empty; the title has a German entry before its default.
QByteArray Xmp(const QStringList &creators, const QString &title)
{
    QByteArray properties;
    if (!creators.isEmpty()) {
        properties += "<dc:creator><rdf:Seq>";
        for (const QString &creator : creators)
            properties += "<rdf:li>" + Escaped(creator) + "</rdf:li>";
        properties += "</rdf:Seq></dc:creator>\n";
    }
    if (!title.isEmpty())
        properties += "<dc:title><rdf:Alt><rdf:li xml:lang=\"de\">Falsch</rdf:li><rdf:li xml:lang=\"x-default\">"
                      + Escaped(title) + "</rdf:li></rdf:Alt></dc:title>\n";
    return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
           "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
           "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">"
           "<pdf:Producer>Fixture</pdf:Producer></rdf:Description>\n"
           "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
           + properties + "</rdf:Description></rdf:RDF></x:xmpmeta>\n<?xpacket end=\"r\"?>";
}

namespace {

void PutU32(QByteArray &bytes, qsizetype offset, quint32 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

void PutU16(QByteArray &bytes, qsizetype offset, quint16 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

QByteArray U32(quint32 value)
{
    QByteArray bytes(4, '\0');
    PutU32(bytes, 0, value);
    return bytes;
}

QByteArray ExthRecord(quint32 type, const QString &value)
{
    const QByteArray data = value.toUtf8();
    return U32(type) + U32(quint32(8 + data.size())) + data;
}

QByteArray Exth(const MobiContent &content)
{
    QByteArray records;
    quint32 count = 0;
    for (const QString &author : content.exthAuthors) {
        records += ExthRecord(100, author);
        ++count;
    }
    if (!content.exthTitle.isEmpty()) {
        records += ExthRecord(503, content.exthTitle);
        ++count;
    }
    return "EXTH" + U32(quint32(12 + records.size())) + U32(count) + records;
}

} // namespace

// A Palm database of two records: record 0 holds the PalmDOC and MOBI headers (UTF-8 text),
// the EXTH block and the full name; record 1 a little text.
QByteArray Mobi(const MobiContent &content)
{
    constexpr quint32 recordZero = 78 + 2 * 8 + 2;
    constexpr quint32 mobiHeaderLength = 232;
    QByteArray header(78, '\0');
    header.replace(0, qMin<qsizetype>(content.palmName.size(), 31), content.palmName.left(31));
    header.replace(60, 8, "BOOKMOBI");
    PutU16(header, 76, 2);

    QByteArray record(16 + mobiHeaderLength, '\0');
    record.replace(16, 4, "MOBI");
    PutU32(record, 20, mobiHeaderLength);
    PutU32(record, 28, 65001);
    PutU32(record, 128, content.withExth ? 0x40 : 0);
    if (content.withExth)
        record += Exth(content);
    const QByteArray fullName = content.fullName.toUtf8();
    PutU32(record, 84, quint32(record.size()));
    PutU32(record, 88, quint32(fullName.size()));
    record += fullName + QByteArray(4, '\0');

    const QByteArray entries = U32(recordZero) + U32(0) + U32(quint32(recordZero + record.size())) + U32(1);
    return header + entries + QByteArray(2, '\0') + record + "Some text of the book.";
}

QByteArray Fb2(const QStringList &authors, const QString &title, const char *encoding)
{
    QString authorElements;
    for (const QString &author : authors) {
        const QString first = author.section(QLatin1Char(' '), 0, 0);
        const QString last = author.section(QLatin1Char(' '), 1);
        authorElements += "<author><first-name>" + first.toHtmlEscaped() + "</first-name><last-name>"
                          + last.toHtmlEscaped() + "</last-name></author>\n";
    }
    const QString text = "<?xml version=\"1.0\" encoding=\"" + QString::fromLatin1(encoding) + "\"?>\n"
                         "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\""
                         " xmlns:l=\"http://www.w3.org/1999/xlink\">\n<description>\n<title-info>\n"
                         "<genre>sf</genre>\n" + authorElements + "<book-title>" + title.toHtmlEscaped()
                         + "</book-title>\n</title-info>\n<document-info><author><nickname>scanner</nickname>"
                           "</author></document-info>\n</description>\n"
                           "<body><section><p>Text.</p></section></body>\n</FictionBook>\n";
    QStringEncoder encoder(encoding);
    return encoder(text);
}

} // namespace fixtures
