#include "comment_fixture.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"
#include "comments/record_filter.h"
#include "comments/saved_bookmark.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("File");
const QString kAuthor = QStringLiteral("Author");
const QString kGenre = QStringLiteral("Genre");

QList<FixtureRow> threeRows()
{
    return {fileRow("one.epub", "Ann"), fileRow("two.epub", "Bob"), fileRow("three.epub", "Cy")};
}

// Root writes to any file whatever its mode, so there the data source's own connection is
// told to refuse writes instead; SQLite answers both the same way.
void refuseWrites(const QString &path, bool *asRoot)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    *asRoot = QFileInfo(path).isWritable();
}

} // namespace

class TestCommentDataSource : public QObject
{
    Q_OBJECT

private slots:
    void openFailsCleanly_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "was not found";
        QTest::newRow("not a database") << QByteArray("Path.txt is not a database\r\n").repeated(200)
                                        << "not a database";
        QTest::newRow("database without the table") << QByteArray("sqlite") << "Table1";
    }
    void openFailsCleanly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("db25.mdb");
        if (content == "sqlite")
            TestConnection(path).exec(QStringLiteral("CREATE TABLE Other (x)"));
        else if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        CommentDataSource source(path);
        QVERIFY(!source.open());
        QVERIFY2(source.errorString().contains(reason), qPrintable(source.errorString()));
        QCOMPARE(QFileInfo::exists(path), !content.isEmpty());
        // Every operation does nothing.
        QVERIFY(!source.isOpen());
        QCOMPARE(source.recordCount(), 0);
        QVERIFY(!source.refresh());
        QVERIFY(!source.addNew());
        QVERIFY(!source.setValue(kFile, QStringLiteral("x")));
        QVERIFY(!source.updateBatch());
        QVERIFY(!source.moveLast());
        QVERIFY(!source.deleteCurrent());
        QVERIFY(source.bookmark().isEmpty());
        QCOMPARE(source.findFile("x"), QString());
        QCOMPARE(source.recordCount(), 0);
    }

    void opensDb25InTheCurrentDirectory()
    {
        CommentDatabase db(threeRows());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(db.folder()));
        CommentDataSource source;
        const bool opened = source.open();
        QDir::setCurrent(previous);
        QVERIFY2(opened, qPrintable(source.errorString()));
        QCOMPARE(source.recordCount(), 3);
        QCOMPARE(source.value(kFile), QStringLiteral("one.epub"));
    }

    void emptyTableHasNothingToDo()
    {
        CommentDatabase db;
        CommentDataSource source(db.path());
        QVERIFY2(source.open(), qPrintable(source.errorString()));
        QCOMPARE(source.recordCount(), 0);
        QVERIFY(!source.hasCurrentRecord());
        QVERIFY(!source.moveLast());
        QVERIFY(!source.moveNext());
        QVERIFY(!source.deleteCurrent());
        QVERIFY(!source.updateBatch());
        QVERIFY(source.bookmark().isEmpty());
        QVERIFY(!source.setBookmark(source.bookmark()));
        QCOMPARE(source.value(kFile), QString());
    }

    void navigationStaysWithinTheSet()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QCOMPARE(source.currentIndex(), 0);
        QVERIFY(source.movePrevious());
        QCOMPARE(source.value(kFile), QStringLiteral("one.epub"));
        QVERIFY(source.moveNext());
        QVERIFY(source.moveNext());
        QVERIFY(source.moveNext());
        QCOMPARE(source.value(kFile), QStringLiteral("three.epub"));
        QVERIFY(source.moveFirst());
        QCOMPARE(source.currentIndex(), 0);
        QVERIFY(source.moveLast());
        QCOMPARE(source.currentIndex(), 2);
        QVERIFY(source.moveTo(1));
        QCOMPARE(source.value(QStringLiteral("author")), QStringLiteral("Bob"));
        QVERIFY(!source.moveTo(3));
        QCOMPARE(source.currentIndex(), 1);
    }

    void addNewIsInsertedOnCommit()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        CommentDataSource other(db.path());
        QVERIFY(source.open());
        QVERIFY(other.open());
        QVERIFY(source.addNew());
        QVERIFY(source.isNewRecord());
        QCOMPARE(source.currentIndex(), 3);
        QCOMPARE(source.recordCount(), 3);
        QCOMPARE(source.value(kFile), QString());
        QVERIFY(source.setValue(kFile, QStringLiteral("new.epub")));
        QVERIFY(source.setValue(kGenre, QString()));
        QVERIFY(source.setValue(QStringLiteral("Comment"), QStringLiteral("<b>good</b>")));
        QVERIFY2(source.updateBatch(), qPrintable(source.errorString()));
        QVERIFY(!source.isNewRecord());
        QCOMPARE(source.recordCount(), 4);
        QCOMPARE(db.column(kFile).last(), QStringLiteral("new.epub"));
        QCOMPARE(db.column(QStringLiteral("Comment")).last(), QStringLiteral("<b>good</b>"));
        // An emptied field holds an empty text, one never set holds no value.
        QCOMPARE(db.column(kGenre).last(), QString(""));
        QCOMPARE(db.column(kAuthor).last(), QStringLiteral("<null>"));
        QVERIFY(source.isNull(kAuthor));
        QVERIFY(!source.isNull(kGenre));
        // The other data source sees the record only after its refresh.
        QCOMPARE(other.recordCount(), 3);
        QVERIFY(other.refresh());
        QCOMPARE(other.recordCount(), 4);
    }

    void blankNewRecordIsDroppedWhenLeft_data()
    {
        QTest::addColumn<QString>("move");
        QTest::newRow("first") << "first";
        QTest::newRow("previous") << "previous";
        QTest::newRow("last") << "last";
        QTest::newRow("cancel") << "cancel";
    }
    void blankNewRecordIsDroppedWhenLeft()
    {
        QFETCH(QString, move);
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.moveNext());
        QVERIFY(source.addNew());
        if (move == "first")
            QVERIFY(source.moveFirst());
        else if (move == "previous")
            QVERIFY(source.movePrevious());
        else if (move == "last")
            QVERIFY(source.moveLast());
        else
            source.cancelUpdate();
        const int expected = move == "first" ? 0 : move == "cancel" ? 1 : 2;
        QCOMPARE(source.currentIndex(), expected);
        QCOMPARE(source.recordCount(), 3);
        QCOMPARE(db.column(kFile).size(), 3);
    }

    void movingWritesPendingEdits_data()
    {
        QTest::addColumn<QString>("move");
        QTest::newRow("next") << "next";
        QTest::newRow("last") << "last";
        QTest::newRow("refresh") << "refresh";
        QTest::newRow("find") << "find";
        QTest::newRow("add new") << "add";
    }
    void movingWritesPendingEdits()
    {
        QFETCH(QString, move);
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.setValue(kAuthor, QStringLiteral("Ann Leckie")));
        QVERIFY(source.hasPendingEdits());
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann"));
        bool moved = false;
        if (move == "next")
            moved = source.moveNext();
        else if (move == "last")
            moved = source.moveLast();
        else if (move == "refresh")
            moved = source.refresh();
        else if (move == "find")
            moved = source.findFirst(FileCriterion("two.epub"));
        else
            moved = source.addNew();
        QVERIFY2(moved, qPrintable(source.errorString()));
        QVERIFY(!source.hasPendingEdits());
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann Leckie"));
        QCOMPARE(source.valueAt(0, kAuthor), QStringLiteral("Ann Leckie"));
    }

    void puttingBackTheStoredValueIsNoEdit()
    {
        CommentDatabase db({{"Ann", "T", std::nullopt, "one.epub", "c"}});
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.setValue(kAuthor, QStringLiteral("Bob")));
        QCOMPARE(source.value(kAuthor), QStringLiteral("Bob"));
        QVERIFY(source.setValue(kAuthor, QStringLiteral("Ann")));
        QVERIFY(source.setValue(kGenre, QString()));
        QVERIFY(!source.hasPendingEdits());
        QVERIFY(!source.setValue(QStringLiteral("Rating"), QStringLiteral("5")));
    }

    void deleteRemovesTheCurrentRecord()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.moveNext());
        QVERIFY(source.setValue(kAuthor, QStringLiteral("edited, then deleted")));
        QVERIFY2(source.deleteCurrent(), qPrintable(source.errorString()));
        QCOMPARE(db.column(kFile), (QStringList{"one.epub", "three.epub"}));
        QCOMPARE(source.recordCount(), 2);
        QCOMPARE(source.value(kFile), QStringLiteral("three.epub"));
        QVERIFY(source.deleteCurrent());
        QCOMPARE(source.value(kFile), QStringLiteral("one.epub"));
        QVERIFY(source.deleteCurrent());
        QVERIFY(!source.hasCurrentRecord());
        QVERIFY(db.column(kFile).isEmpty());
    }

    void bookmarkNamesOneRecordOfOneRecordSet()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        CommentDataSource other(db.path());
        QVERIFY(source.open());
        QVERIFY(other.open());
        QVERIFY(source.moveLast());
        const CommentBookmark mark = source.bookmark();
        QVERIFY(!mark.isEmpty());
        QVERIFY(source.moveFirst());
        QVERIFY(source.setBookmark(mark));
        QCOMPARE(source.value(kFile), QStringLiteral("three.epub"));
        // Another data source's bookmark names no record there.
        QVERIFY(other.moveNext());
        QVERIFY(!other.setBookmark(mark));
        QCOMPARE(other.currentIndex(), 1);
        // Nor does an empty one, or one from before a refresh.
        QVERIFY(!source.setBookmark(CommentBookmark()));
        QVERIFY(source.refresh());
        QVERIFY(!source.setBookmark(mark));
        QCOMPARE(source.currentIndex(), 0);
        // Nor one of a record deleted since.
        QVERIFY(source.moveLast());
        const CommentBookmark deleted = source.bookmark();
        QVERIFY(source.deleteCurrent());
        QVERIFY(!source.setBookmark(deleted));
        // A new record has none until it is saved.
        QVERIFY(source.addNew());
        QVERIFY(source.bookmark().isEmpty());
        QVERIFY(source.setValue(kFile, QStringLiteral("four.epub")));
        QVERIFY(source.updateBatch());
        const CommentBookmark saved = source.bookmark();
        QVERIFY(source.moveFirst());
        QVERIFY(source.setBookmark(saved));
        QCOMPARE(source.value(kFile), QStringLiteral("four.epub"));
    }

    void savedBookmarkIsSharedAndStartsEmpty()
    {
        QVERIFY(SavedBookmark.isEmpty());
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        SavedBookmark = source.bookmark();
        QVERIFY(source.moveLast());
        QVERIFY(source.setBookmark(SavedBookmark));
        QCOMPARE(source.currentIndex(), 0);
        SavedBookmark = CommentBookmark();
    }

    void findFirstComparesWithoutCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected");
        QTest::newRow("exact") << "two.epub" << 1;
        QTest::newRow("other case") << "TWO.EPUB" << 1;
        QTest::newRow("apostrophe") << "O'Brien.epub" << 3;
        QTest::newRow("first of two") << "dup.epub" << 4;
        QTest::newRow("no wildcards") << "*.epub" << -1;
        QTest::newRow("no match") << "missing.epub" << -1;
    }
    void findFirstComparesWithoutCase()
    {
        QFETCH(QString, name);
        QFETCH(int, expected);
        CommentDatabase db({fileRow("one.epub"), fileRow("two.epub"), {"A", "T", "G", std::nullopt, "c"},
                            fileRow("O'Brien.epub"), fileRow("dup.epub", "first"), fileRow("DUP.epub", "second")});
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.moveTo(2));
        const QString found = source.findFile(name);
        if (expected < 0) {
            QCOMPARE(source.currentIndex(), 2);
            QCOMPARE(found, QString());
        } else {
            QCOMPARE(source.currentIndex(), expected);
            QCOMPARE(found.compare(name, Qt::CaseInsensitive), 0);
        }
    }

    void findFirstRefusesOtherCriteria()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.moveLast());
        QVERIFY(!source.findFirst(QStringLiteral("File LIKE 'o*'")));
        QVERIFY(!source.findFirst(QStringLiteral("Rating = '5'")));
        QVERIFY(!source.errorString().isEmpty());
        QCOMPARE(source.currentIndex(), 2);
    }

    void readOnlyDatabaseKeepsWhatWasTyped()
    {
        CommentDatabase db(threeRows());
        bool asRoot = false;
        refuseWrites(db.path(), &asRoot);
        CommentDataSource source(db.path());
        QVERIFY2(source.open(), qPrintable(source.errorString()));
        if (asRoot)
            QVERIFY(source.refuseWrites());
        QVERIFY(source.setValue(kAuthor, QStringLiteral("typed")));
        QVERIFY(!source.updateBatch());
        QVERIFY2(source.errorString().contains(QLatin1String("read-only")), qPrintable(source.errorString()));
        QVERIFY(source.hasPendingEdits());
        QCOMPARE(source.value(kAuthor), QStringLiteral("typed"));
        // A move whose write fails stays on the record.
        QVERIFY(!source.moveNext());
        QCOMPARE(source.currentIndex(), 0);
        QVERIFY(!source.refresh());
        QCOMPARE(source.value(kAuthor), QStringLiteral("typed"));
        QVERIFY(!source.deleteCurrent());
        QCOMPARE(source.recordCount(), 3);
        QVERIFY(source.addNew() == false);
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann"));
    }

    void lockedDatabaseKeepsWhatWasTyped()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.addNew());
        QVERIFY(source.setValue(kFile, QStringLiteral("typed.epub")));
        TestConnection otherProgram(db.path());
        QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(!source.updateBatch());
        QVERIFY2(source.errorString().contains(QLatin1String("locked")), qPrintable(source.errorString()));
        QVERIFY(source.isNewRecord());
        QVERIFY(!source.moveFirst());
        QCOMPARE(source.value(kFile), QStringLiteral("typed.epub"));
        QVERIFY(otherProgram.exec(QStringLiteral("COMMIT")));
        QVERIFY2(source.updateBatch(), qPrintable(source.errorString()));
        QCOMPARE(db.column(kFile).last(), QStringLiteral("typed.epub"));
    }

    void recordChangedElsewhereIsSavedAsNew_data()
    {
        QTest::addColumn<QString>("elsewhere");
        QTest::newRow("deleted") << "DELETE FROM Table1 WHERE File = 'three.epub'";
        QTest::newRow("deleted, its rowid reused")
            << "DELETE FROM Table1 WHERE File = 'three.epub'; INSERT INTO Table1 VALUES ('Di', 'T', 'G', 'four.epub', 'c')";
        QTest::newRow("edited") << "UPDATE Table1 SET Genre = 'SF' WHERE File = 'three.epub'";
    }
    void recordChangedElsewhereIsSavedAsNew()
    {
        QFETCH(QString, elsewhere);
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.moveLast());
        {
            TestConnection otherWindow(db.path());
            for (const QString &statement : elsewhere.split(QStringLiteral("; ")))
                QVERIFY(otherWindow.exec(statement));
        }
        const QStringList before = db.column(kFile);
        QVERIFY(source.setValue(kAuthor, QStringLiteral("Cy Twombly")));
        QVERIFY2(source.updateBatch(), qPrintable(source.errorString()));
        // Nothing written over: what the other side left stays, and the edit is there too.
        QCOMPARE(db.column(kFile), before + QStringList{"three.epub"});
        QCOMPARE(db.column(kAuthor).last(), QStringLiteral("Cy Twombly"));
    }

    // Rows are read a page at a time from wherever they are asked for; every way of
    // reaching a record gives the same record at the same position.
    void largeSetReadsTheSameRecordsFromEveryDirection()
    {
        CommentDatabase db(numberedRows(1000));
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QCOMPARE(source.readRecordCount(), 64);
        QVERIFY(!source.knownRecordCount());
        QVERIFY(source.moveLast());
        QCOMPARE(source.currentIndex(), 999);
        QCOMPARE(source.value(kFile), QStringLiteral("999.epub"));
        for (int i = 998; i >= 900; --i) {
            QVERIFY(source.movePrevious());
            QCOMPARE(source.value(kFile), QStringLiteral("%1.epub").arg(i));
        }
        for (int index : {500, 10, 700, 63, 64, 999, 0}) {
            QVERIFY(source.moveTo(index));
            QCOMPARE(source.value(kFile), QStringLiteral("%1.epub").arg(index));
            QCOMPARE(source.valueAt(index + 1 < 1000 ? index + 1 : 0, kFile),
                     QStringLiteral("%1.epub").arg(index + 1 < 1000 ? index + 1 : 0));
        }
        QVERIFY(source.moveTo(300));
        QVERIFY(source.deleteCurrent());
        QCOMPARE(source.value(kFile), QStringLiteral("301.epub"));
        QCOMPARE(source.valueAt(299, kFile), QStringLiteral("299.epub"));
        QCOMPARE(source.recordCount(), 999);
        source.readMoreInSlices(2000);
        while (!source.readSomeRecords()) {
        }
        QCOMPARE(source.readRecordCount(), 999);
        source.readMoreInSlices(10);
        QVERIFY(!source.isReading());
        QCOMPARE(source.readRecordCount(), 999);
    }

    void searchCountsAndFindsWithoutReadingEverything()
    {
        CommentDatabase db(numberedRows(500) + QList<FixtureRow>{fileRow("wanted.epub", "Zed")});
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QVERIFY(source.findFirst(FileCriterion("WANTED.epub")));
        QCOMPARE(source.currentIndex(), 500);
        QCOMPARE(source.value(kAuthor), QStringLiteral("Zed"));
        const CommentBookmark mark = source.bookmark();
        QVERIFY(source.moveFirst());
        QVERIFY(source.setBookmark(mark));
        QCOMPARE(source.currentIndex(), 500);
        source.setRecordSource(SearchQueryText(QStringLiteral("z"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QCOMPARE(source.knownRecordCount(), std::optional<int>(1));
    }

    void countInSlicesMatchesTheEngineCount()
    {
        CommentDatabase db(numberedRows(9000) + QList<FixtureRow>{{"A", "T", "G", std::nullopt, "c"}});
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordSource(ClearAllQueryText());
        QVERIFY(source.refresh());
        QVERIFY(!source.countSomeRecords()); // the first 4096 rowids
        QVERIFY(source.moveTo(10));
        QVERIFY(source.deleteCurrent());
        int slices = 1;
        while (!source.countSomeRecords())
            QVERIFY(++slices < 9000);
        QCOMPARE(source.knownRecordCount(), std::optional<int>(8999));
        QVERIFY(source.moveLast());
        QCOMPARE(source.value(kFile), QStringLiteral("8999.epub"));
    }

    // A count asked for while the slices are under way counts only what they have not reached.
    void countFinishesWhatTheSlicesBegan()
    {
        CommentDatabase db(numberedRows(9000) + QList<FixtureRow>{{"A", "T", "G", std::nullopt, "c"}});
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::anyFile());
        QVERIFY(source.refresh());
        QVERIFY(!source.countSomeRecords());
        QCOMPARE(source.recordCount(), 9000);
        QVERIFY(source.moveLast());
        QCOMPARE(source.value(kFile), QStringLiteral("8999.epub"));
    }

    // A search through a table too long for one slice shows what the first slice found, and
    // the slices between events find the rest, in the table's order, from where the last one
    // stopped; the set ends up as a search read at once would have it.
    void slicedSearchFindsItsRecordsInOrder_data()
    {
        QTest::addColumn<QString>("author");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("counted");
        QTest::newRow("no match") << "nobody" << QStringList() << true;
        QTest::newRow("far apart") << "zed" << QStringList{"10.epub", "10000.epub", "19990.epub"} << true;
        QStringList firstPage;
        for (int i = 18000; i < 18064; ++i)
            firstPage << QStringLiteral("%1.epub").arg(i);
        QTest::newRow("a page near the end") << "yu" << firstPage << false;
    }
    void slicedSearchFindsItsRecordsInOrder()
    {
        QFETCH(QString, author);
        QFETCH(QStringList, files);
        QFETCH(bool, counted);
        CommentDatabase db(farApartRows());
        CommentDataSource source(db.path());
        source.setReadSliceTime(0);
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::search(author, QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QVERIFY(source.isReading());
        QVERIFY(!source.knownRecordCount());
        QCOMPARE(source.hasCurrentRecord(), author == "zed");
        int slices = 1;
        do
            QVERIFY(++slices < 20000);
        while (!source.readSomeRecords());
        QVERIFY(slices > 2);
        QVERIFY(!source.isReading());
        QCOMPARE(source.readRecordCount(), int(files.size()));
        QStringList found;
        for (int i = 0; i < files.size(); ++i)
            found << source.valueAt(i, kFile);
        QCOMPARE(found, files);
        QCOMPARE(source.knownRecordCount(), counted ? std::optional<int>(int(files.size())) : std::nullopt);
        QCOMPARE(source.currentIndex(), files.isEmpty() ? -1 : 0);
        QVERIFY(source.recordSetError().isEmpty());
        // Moving on from the records read goes on from there too.
        if (!counted) {
            QVERIFY(source.moveTo(63));
            QVERIFY(source.moveNext());
            QCOMPARE(source.value(kFile), QStringLiteral("18064.epub"));
        }
    }

    // The next search starts from the first record: nothing of the one before carries over.
    void newSearchAbandonsTheSlicedOne()
    {
        CommentDatabase db(farApartRows());
        CommentDataSource source(db.path());
        source.setReadSliceTime(0);
        QVERIFY(source.open());
        QSignalSpy read(&source, &CommentDataSource::recordsRead);
        source.setRecordFilter(RecordFilter::search(QStringLiteral("nobody"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QVERIFY(!source.readSomeRecords());
        QVERIFY(source.isReading());
        source.setRecordFilter(RecordFilter::search(QStringLiteral("zed"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QCOMPARE(source.value(kFile), QStringLiteral("10.epub"));
        while (!source.readSomeRecords()) {
        }
        QCOMPARE(source.knownRecordCount(), std::optional<int>(3));
        QCOMPARE(source.valueAt(2, kFile), QStringLiteral("19990.epub"));
        QVERIFY(read.count() > 1);
    }

    // A slice that cannot read ends the search, and says why when it found nothing.
    void slicedSearchThatCannotReadSaysWhy()
    {
        CommentDatabase db(farApartRows());
        CommentDataSource source(db.path());
        source.setReadSliceTime(0);
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::search(QStringLiteral("nobody"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        TestConnection otherProgram(db.path());
        QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(source.readSomeRecords());
        QVERIFY(!source.isReading());
        QVERIFY2(source.recordSetError().contains(QLatin1String("locked")), qPrintable(source.recordSetError()));
        QVERIFY(otherProgram.exec(QStringLiteral("COMMIT")));
        QVERIFY(source.refresh());
        QVERIFY(source.recordSetError().isEmpty());
    }

    // What was typed before the search is written by it; what is typed into the first record
    // found while the search goes on stays pending until it is written.
    void pendingEditsOutlastASlicedSearch()
    {
        CommentDatabase db(farApartRows());
        CommentDataSource source(db.path());
        source.setReadSliceTime(0);
        QVERIFY(source.open());
        QVERIFY(source.setValue(kGenre, QStringLiteral("typed before")));
        source.setRecordFilter(RecordFilter::search(QStringLiteral("zed"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QCOMPARE(db.column(kGenre)[0], QStringLiteral("typed before"));
        QVERIFY(source.isReading());
        QVERIFY(source.setValue(kGenre, QStringLiteral("typed during")));
        while (!source.readSomeRecords()) {
        }
        QCOMPARE(source.currentIndex(), 0);
        QVERIFY(source.hasPendingEdits());
        QCOMPARE(source.value(kGenre), QStringLiteral("typed during"));
        QCOMPARE(source.valueAt(0, kGenre), QStringLiteral("typed during"));
        QVERIFY(source.moveLast());
        QCOMPARE(source.value(kFile), QStringLiteral("19990.epub"));
        QCOMPARE(db.column(kGenre)[10], QStringLiteral("typed during"));
    }

    void rowsAddedElsewhereShowAfterTheRefresh()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        TestConnection(db.path()).exec(QStringLiteral("INSERT INTO Table1 VALUES ('Di', 'T', 'G', 'four.epub', 'c')"));
        QCOMPARE(source.recordCount(), 3);
        QVERIFY(source.addNew());
        QVERIFY(source.setValue(kFile, QStringLiteral("five.epub")));
        QVERIFY(source.moveFirst());
        QCOMPARE(source.recordCount(), 4);
        QCOMPARE(source.valueAt(3, kFile), QStringLiteral("five.epub"));
        QVERIFY(source.refresh());
        QCOMPARE(source.recordCount(), 5);
    }

    // A view whose rows never end: opening shows its first rows, counting and moving to the
    // end give up after the time limit with a reason, and nothing hangs.
    void endlessRecordSetCannotHang()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("db25.mdb");
        QVERIFY(TestConnection(path).exec(QStringLiteral(
            "CREATE VIEW Table1 AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
            "SELECT 'a' || i AS Author, 't' AS Title, 'g' AS Genre, 'f' || i AS File, 'c' AS Comment FROM n")));
        CommentDataSource source(path);
        source.setReadTimeLimit(200);
        QVERIFY2(source.open(), qPrintable(source.errorString()));
        QCOMPARE(source.value(kFile), QStringLiteral("f1"));
        QVERIFY(source.moveNext());
        QCOMPARE(source.value(kFile), QStringLiteral("f2"));
        source.readMoreInSlices(200);
        while (!source.readSomeRecords()) {
        }
        QVERIFY(source.moveTo(100));
        QCOMPARE(source.value(kFile), QStringLiteral("f101"));
        QVERIFY(!source.moveLast());
        QVERIFY2(source.errorString().contains(QLatin1String("too long")), qPrintable(source.errorString()));
        QCOMPARE(source.currentIndex(), 100);
        QVERIFY(source.recordCount() >= 264);
        QVERIFY(!source.knownRecordCount());
        // A search that cannot end in time lists nothing and says why.
        source.setRecordFilter(RecordFilter::search(QStringLiteral("nobody"), QString(), QString(), QString()));
        QVERIFY(!source.refresh());
        QVERIFY(!source.hasCurrentRecord());
        QVERIFY2(source.recordSetError().contains(QLatin1String("too long")), qPrintable(source.recordSetError()));
    }

    void savingOverAChangeElsewhereIsAnnounced()
    {
        CommentDatabase db(threeRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        QSignalSpy announced(&source, &CommentDataSource::savedAsNewRecord);
        QVERIFY(source.setValue(kAuthor, QStringLiteral("mine")));
        QVERIFY(source.updateBatch());
        QCOMPARE(announced.count(), 0);
        TestConnection(db.path()).exec(QStringLiteral("UPDATE Table1 SET Genre = 'theirs' WHERE File = 'one.epub'"));
        QVERIFY(source.setValue(kAuthor, QStringLiteral("mine again")));
        QVERIFY(source.updateBatch());
        QCOMPARE(announced.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommentDataSource)
#include "test_comment_data_source.moc"
