#include "book_fixtures.h"
#include "books/book_reader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace fixtures;

namespace {

using Creators = QList<std::pair<QString, QString>>;

const Creators kNightfallCreators{{"Isaac Asimov", "aut"}, {"Jane Editor", "edt"}, {"Robert Silverberg", ""}};

QByteArray ZipBytes(const QList<ZipEntry> &entries)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("book.zip");
    if (!WriteZip(path, entries))
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray EpubBytes(const QByteArray &package)
{
    return ZipBytes(EpubEntries(package));
}

// An OPF that never ends its metadata: megabytes of blanks, a few kilobytes compressed.
QByteArray ZipBomb()
{
    const QByteArray package = "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\"><metadata>"
                               + QByteArray(32 * 1024 * 1024, ' ') + "</metadata></package>";
    return EpubBytes(package);
}

// A packet as a camera or a picture editor writes it, in a picture's stream.
QByteArray PictureXmp()
{
    return "JFIF...<?xpacket begin=\"\"?><x:xmpmeta xmlns:x=\"adobe:ns:meta/\">"
           "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
           "<rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title><rdf:Alt>"
           "<rdf:li xml:lang=\"x-default\">Holiday Photo</rdf:li></rdf:Alt></dc:title></rdf:Description>"
           "</rdf:RDF></x:xmpmeta><?xpacket end=\"w\"?>...";
}

QByteArray PdfWithWrongXrefOffset()
{
    QByteArray pdf = Pdf({"Info Author", "Info Title", {}, {}});
    const qsizetype startxref = pdf.lastIndexOf("startxref\n") + 10;
    return pdf.replace(startxref, pdf.indexOf('\n', startxref) - startxref, "12");
}

// The first two lines of a PDF, then objects whose dictionaries never close.
QByteArray PdfWithBrokenXref()
{
    QByteArray pdf = Pdf({"Info Author", "Info Title", {}, {}});
    const qsizetype xref = pdf.indexOf("xref\n");
    pdf.replace(xref, pdf.size() - xref, "xref\n0 9\ngarbage\ntrailer\n<< /Size 9 /Root 7 0 R >>\nstartxref\n99999999\n%%EOF\n");
    return pdf.replace("endobj", "garbage");
}

QByteArray EntityBomb()
{
    QByteArray dtd = "<!DOCTYPE FictionBook [\n<!ENTITY a0 \"lol\">\n";
    for (int i = 1; i < 10; ++i) {
        const QByteArray previous = "&a" + QByteArray::number(i - 1) + ";";
        dtd += "<!ENTITY a" + QByteArray::number(i) + " \"" + previous.repeated(10) + "\">\n";
    }
    return "<?xml version=\"1.0\"?>\n" + dtd + "]>\n<FictionBook><description><title-info>"
           "<author><first-name>&a9;</first-name></author><book-title>&a9;</book-title>"
           "</title-info></description></FictionBook>\n";
}

// A plain Palm text book: no MOBI header in record 0.
QByteArray PalmDoc()
{
    QByteArray book = Mobi({"Palm_Name", {"Not Read"}, "Not Read", true, {}});
    return book.replace("BOOKMOBI", "TEXtREAd").replace("MOBI", "TEXT");
}

QByteArray MobiWithBrokenRecordZero()
{
    QByteArray mobi = Mobi({{}, {"Isaac Asimov"}, "Foundation", true, {}});
    mobi.replace(78, 4, QByteArray::fromHex("FFFFFFF0"));
    return mobi;
}

// The EXTH count claims more records than there are: what follows the last one (the full
// name) is read as a record that runs past the end.
QByteArray MobiWithBrokenExth()
{
    QByteArray mobi = Mobi({"Palm_Name", {"Isaac Asimov"}, {}, true, "Full Name"});
    mobi.replace(mobi.indexOf("EXTH") + 8, 4, QByteArray::fromHex("00000100"));
    return mobi;
}

QByteArray MobiWithFullNamePastTheEnd()
{
    QByteArray mobi = Mobi({"Palm_Name", {}, {}, false, "Full Name"});
    mobi.replace(96 + 84, 4, QByteArray::fromHex("FFFFFF00"));
    return mobi;
}

} // namespace

class TestBookReader : public QObject
{
    Q_OBJECT

private slots:
    // The PDF plugin is in the build folder, beside the program.
    void initTestCase() { QCoreApplication::addLibraryPath(qEnvironmentVariable("SHELVANA_BUILD_DIR")); }

    void readsWhatTheBookSays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");

        QTest::newRow("EPUB 2, editor left out") << "nightfall.epub" << EpubBytes(Epub2Package(kNightfallCreators, "Nightfall"))
                                                << "Isaac Asimov & Robert Silverberg" << "Nightfall";
        QTest::newRow("EPUB 3, roles in refinements") << "nightfall.epub" << EpubBytes(Epub3Package(kNightfallCreators, "Nightfall"))
                                                      << "Isaac Asimov & Robert Silverberg" << "Nightfall";
        QTest::newRow("EPUB, only an editor") << "a.epub" << EpubBytes(Epub2Package({{"Jane Editor", "edt"}}, "Stories"))
                                              << "Jane Editor" << "Stories";
        QTest::newRow("EPUB, accents and markup characters")
            << "b.epub" << EpubBytes(Epub3Package({{"Émile Zola", ""}}, "Nana & <Co>")) << "Émile Zola" << "Nana & <Co>";
        QTest::newRow("EPUB named as a PDF") << "scan_0042.pdf" << EpubBytes(Epub2Package({{"Ann Author", ""}}, "T"))
                                             << "Ann Author" << "T";

        QTest::newRow("PDF, Info only") << "a.pdf" << Pdf({"Isaac Asimov", "Foundation", {}, {}}) << "Isaac Asimov"
                                        << "Foundation";
        QTest::newRow("PDF, XMP only") << "a.pdf" << Pdf({{}, {}, Xmp({"Ann One", "Bo Two"}, "Joint Work"), {}})
                                       << "Ann One & Bo Two" << "Joint Work";
        QTest::newRow("PDF, XMP wins over Info")
            << "a.pdf" << Pdf({"Old Author", "Old Title", Xmp({"New Author"}, "New Title"), {}}) << "New Author"
            << "New Title";
        QTest::newRow("PDF, Info fills what XMP lacks")
            << "a.pdf" << Pdf({"Info Author", "Info Title", Xmp({}, ""), {}}) << "Info Author" << "Info Title";
        QTest::newRow("PDF whose xref points nowhere is rebuilt") << "a.pdf" << PdfWithWrongXrefOffset()
                                                                 << "Info Author" << "Info Title";
        QTest::newRow("PDF, XMP at the end of a big book")
            << "a.pdf" << Pdf({"Info Author", "Info Title", Xmp({"Doc Author"}, "Doc Title"), QByteArray(12 << 20, 'x')})
            << "Doc Author" << "Doc Title";
        QTest::newRow("PDF, a picture's XMP is not the document's")
            << "a.pdf" << Pdf({"Info Author", "Info Title", Xmp({"Doc Author"}, "Doc Title"), PictureXmp()})
            << "Doc Author" << "Doc Title";
        // Poppler would inflate it without a limit: a compressed packet could be a bomb.
        QTest::newRow("PDF, compressed XMP is left to Info")
            << "a.pdf" << Pdf({"Info Author", "Info Title", Xmp({"Doc Author"}, "Doc Title"), {}, true})
            << "Info Author" << "Info Title";
        QTest::newRow("PDF, Cyrillic Info") << "a.pdf" << Pdf({"Лев Толстой", "Война и мир", {}, {}}) << "Лев Толстой"
                                            << "Война и мир";

        QTest::newRow("MOBI with EXTH") << "a.azw3" << Mobi({"Palm_Name", {"Larry Niven", "Jerry Pournelle"}, "The Mote", true, "Full Name"})
                                        << "Larry Niven & Jerry Pournelle" << "The Mote";
        QTest::newRow("MOBI without EXTH: full name") << "a.mobi" << Mobi({"Palm_Name", {}, {}, false, "Full Name"}) << ""
                                                      << "Full Name";
        QTest::newRow("PalmDOC: its database name")
            << "a.pdb" << PalmDoc() << ""
            << "Palm_Name";
        QTest::newRow("MOBI without any name but the Palm name") << "a.mobi" << Mobi({"Palm_Name", {}, {}, false, {}})
                                                                 << "" << "Palm_Name";

        QTest::newRow("FB2, two authors") << "a.fb2" << Fb2({"Arkady Strugatsky", "Boris Strugatsky"}, "Roadside Picnic")
                                          << "Arkady Strugatsky & Boris Strugatsky" << "Roadside Picnic";
        QTest::newRow("FB2 in windows-1251") << "a.fb2" << Fb2({"Лев Толстой"}, "Война и мир", "windows-1251")
                                             << "Лев Толстой" << "Война и мир";
        QTest::newRow("FB2 inside a zip") << "a.fb2.zip" << ZipBytes({{"book.fb2", Fb2({"Ann Author"}, "Zipped")}})
                                          << "Ann Author" << "Zipped";
    }

    void readsWhatTheBookSays()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, author);
        QFETCH(QString, title);
        const QString path = dir_.filePath(name);
        QVERIFY(WriteFile(path, bytes));
        const BookMetadata metadata = ReadBookMetadata(path);
        QCOMPARE(metadata.authorText(), author);
        QCOMPARE(metadata.title, title);
    }

    // Damaged and hostile books: nothing, quickly, without a crash.
    void damagedBooksGiveNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");

        const QByteArray epub = EpubBytes(Epub2Package({{"Ann Author", ""}}, "Title"));
        QTest::newRow("truncated zip") << "a.epub" << epub.left(epub.size() / 2);
        QTest::newRow("zip bomb") << "a.epub" << ZipBomb();
        QTest::newRow("container names a missing package")
            << "a.epub" << ZipBytes({{"META-INF/container.xml", ContainerXml("nowhere.opf")}});
        QTest::newRow("zip without a book") << "a.zip" << ZipBytes({{"notes.txt", "hello"}});
        QTest::newRow("PDF with a broken xref") << "a.pdf" << PdfWithBrokenXref();
        QTest::newRow("PDF with a user password") << "a.pdf" << LockedPdf({"Secret Author", "Secret Title", {}, {}});
        QTest::newRow("PDF header only") << "a.pdf" << QByteArray("%PDF-1.7\n");
        QTest::newRow("MOBI record 0 past the end, no Palm name") << "a.mobi" << MobiWithBrokenRecordZero();
        QTest::newRow("MOBI cut inside its header") << "a.mobi" << Mobi({"Palm_Name", {}, {}, false, {}}).left(70);
        QTest::newRow("XML entity bomb") << "a.fb2" << EntityBomb();
        QTest::newRow("XML external entity")
            << "a.fb2" << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                                     "<FictionBook><description><title-info><book-title>&e;</book-title>"
                                     "</title-info></description></FictionBook>");
        QTest::newRow("FB2 cut inside title-info") << "a.fb2" << Fb2({"Ann Author"}, "Title").left(300);
        QTest::newRow("other XML") << "a.fb2" << QByteArray("<html><title-info><book-title>No</book-title></title-info></html>");
        QTest::newRow("empty file") << "a.epub" << QByteArray();
        QTest::newRow("plain text") << "a.txt" << QByteArray("Just some text.\n");
    }

    void damagedBooksGiveNothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString path = dir_.filePath(name);
        QVERIFY(WriteFile(path, bytes));
        QElapsedTimer timer;
        timer.start();
        const BookMetadata metadata = ReadBookMetadata(path);
        QVERIFY2(metadata.isEmpty(), qPrintable(metadata.authorText() + " / " + metadata.title));
        QVERIFY(timer.elapsed() < 5000);
    }

    // Where an offset is wrong, the names that can still be read are used.
    void damagedMobiFallsBackToTheNamesItStillHas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");
        QTest::newRow("EXTH past the end") << MobiWithBrokenExth() << "Isaac Asimov" << "Full Name";
        QTest::newRow("full name past the end") << MobiWithFullNamePastTheEnd() << "" << "Palm_Name";
    }

    void damagedMobiFallsBackToTheNamesItStillHas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, author);
        QFETCH(QString, title);
        const QString path = dir_.filePath("broken.mobi");
        QVERIFY(WriteFile(path, bytes));
        const BookMetadata metadata = ReadBookMetadata(path);
        QCOMPARE(metadata.authorText(), author);
        QCOMPARE(metadata.title, title);
    }

    void fileThatIsNotThereGivesNothing()
    {
        QVERIFY(ReadBookMetadata(dir_.filePath("gone.epub")).isEmpty());
        QVERIFY(ReadBookMetadata(QString()).isEmpty());
    }

    // A FIFO would block an open for reading until a writer comes; a folder cannot be read.
    void onlyRegularFilesAreRead()
    {
        const QString fifo = dir_.filePath("fifo.epub");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(ReadBookMetadata(fifo).isEmpty());
        QVERIFY(QDir(dir_.path()).mkdir("folder.epub"));
        QVERIFY(ReadBookMetadata(dir_.filePath("folder.epub")).isEmpty());
    }

    void symbolicLinkToABookIsRead()
    {
        const QString book = dir_.filePath("linked.fb2");
        QVERIFY(WriteFile(book, Fb2({"Ann Author"}, "Linked")));
        const QString link = dir_.filePath("link.fb2");
        QVERIFY(QFile::link(book, link));
        QCOMPARE(ReadBookMetadata(link).title, QString("Linked"));
    }

    void stopsWhenTheTimeIsUp()
    {
        const QString path = dir_.filePath("late.epub");
        QVERIFY(WriteZip(path, EpubEntries(Epub2Package({{"Ann Author", ""}}, "Title"))));
        ReadLimits limits;
        limits.deadline = QDeadlineTimer(0);
        QVERIFY(ReadBookMetadata(path, limits).isEmpty());
    }

    void leavesTheBookAndItsFolderAsTheyWere()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("book.epub");
        QVERIFY(WriteZip(path, EpubEntries(Epub3Package({{"Ann Author", ""}}, "Title"))));
        const QFileInfo before(path);
        const QByteArray bytes = [&] { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }();
        QVERIFY(!ReadBookMetadata(path).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"book.epub"});
        QFile after(path);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), bytes);
        QCOMPARE(QFileInfo(path).lastModified(), before.lastModified());
    }

    void valuesAreShownOnOneLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("line breaks and tabs") << "\n  The\tLong\r\n  Title  " << "The Long Title";
        QTest::newRow("control characters") << QString("A\x01" "B") << "A B";
        QTest::newRow("over-long value") << QString(2000, 'x') << QString(500, 'x');
        QTest::newRow("cut inside a surrogate pair") << QString(499, 'x') + QString::fromUtf8("😀") << QString(499, 'x');
    }

    void valuesAreShownOnOneLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(CleanMetadataText(text), shown);
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestBookReader)
#include "test_book_reader.moc"
