#include "book_fixtures.h"
#include "books/book_metadata_reader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

class TestBookMetadataReader : public QObject
{
    Q_OBJECT

private slots:
    // The PDF plugin is in the build folder, beside the program.
    void initTestCase() { QCoreApplication::addLibraryPath(qEnvironmentVariable("SHELVANA_BUILD_DIR")); }

    void reportsTheBookReadInTheBackground()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath("a.fb2");
        QVERIFY(WriteFile(book, Fb2({"Ann Author"}, "Title")));
        BookMetadataReader reader;
        QSignalSpy finished(&reader, &BookMetadataReader::finished);
        reader.read(book);
        QVERIFY(finished.isEmpty()); // never on the caller's thread
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toString(), book);
        QCOMPARE(finished[0][1].value<BookMetadata>().title, QString("Title"));
    }

    // The user copied another file meanwhile: only the newest book is shown.
    void onlyTheNewestReadIsReported()
    {
        QTemporaryDir dir;
        const QString older = dir.filePath("older.fb2");
        const QString newer = dir.filePath("newer.fb2");
        QVERIFY(WriteFile(older, Fb2({"Old Author"}, "Old")));
        QVERIFY(WriteFile(newer, Fb2({"New Author"}, "New")));
        BookMetadataReader reader;
        QSignalSpy finished(&reader, &BookMetadataReader::finished);
        reader.read(older);
        reader.read(newer);
        QTRY_COMPARE(finished.count(), 1);
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toString(), newer);
    }
};

QTEST_GUILESS_MAIN(TestBookMetadataReader)
#include "test_book_metadata_reader.moc"
