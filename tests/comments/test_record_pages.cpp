#include "comment_fixture.h"
#include "comments/record_filter.h"
#include "comments/record_pages.h"

#include <QTest>

namespace {

// The pages of a filter's rows on a connection of their own, and the reads that failed.
struct Pages
{
    // readMs: how long the first page may be read; 0 reads one rowid range.
    explicit Pages(const QString &path, const RecordFilter &filter = RecordFilter(), qint64 readMs = 1000)
    {
        connection.open(path);
        RecordSetQuery query = RecordPages::queryOf(filter);
        settled = pages.settle(filter, &query);
        pages.show(query);
        settled = settled && pages.readOn(readMs);
    }
    QString fileAt(int position)
    {
        const CommentRecord *record = pages.recordAt(position);
        return record ? QString::fromUtf8(record->values[3].value_or("<none>")) : QStringLiteral("<no record>");
    }

    CommentConnection connection;
    int failures = 0;
    RecordPages pages{connection, [this] { ++failures; }};
    bool settled = false;
};

CommentRecord storedRecord(qint64 rowId, const QString &file)
{
    CommentRecord record;
    record.rowId = rowId;
    record.stored = true;
    record.values[3] = file.toUtf8();
    return record;
}

} // namespace

class TestRecordPages : public QObject
{
    Q_OBJECT

private slots:
    // The first page comes with the refresh; any position is read from wherever it is asked
    // for, forwards or backwards, and gives the same record.
    void readsPagesFromEveryDirection()
    {
        CommentDatabase db(numberedRows(1000));
        Pages set(db.path());
        QVERIFY(set.settled);
        QCOMPARE(set.pages.readPrefix(), 64);
        QVERIFY(!set.pages.knownCount());
        for (int position : {500, 499, 501, 10, 999, 998, 63, 64})
            QCOMPARE(set.fileAt(position), QStringLiteral("%1.epub").arg(position));
        QCOMPARE(set.pages.readPrefix(), 64 + 64);
        QCOMPARE(set.pages.count(), 1000);
        QCOMPARE(set.fileAt(1000), QStringLiteral("<no record>"));
        set.pages.askForMore(2000);
        QVERIFY(set.pages.readOn(10000));
        QCOMPARE(set.pages.readPrefix(), 1000);
        set.pages.askForMore(1);
        QVERIFY(!set.pages.isReading());
        QCOMPARE(set.failures, 0);
    }

    // A view's rows carry no rowid and are counted off from the first.
    void readsAViewByCountingOff()
    {
        CommentDatabase db(numberedRows(200));
        TestConnection(db.path()).exec(QStringLiteral("CREATE VIEW Backwards AS SELECT * FROM Table1 ORDER BY rowid DESC"));
        Pages set(db.path(), RecordFilter(QStringLiteral("Backwards")));
        QVERIFY(set.settled);
        QVERIFY(!set.pages.query().keyed);
        QCOMPARE(set.fileAt(150), QStringLiteral("49.epub"));
        QVERIFY(set.pages.countSome());
        QCOMPARE(set.pages.knownCount(), std::optional<int>(200));
    }

    void slicedCountMatchesTheEngineCount()
    {
        CommentDatabase db(numberedRows(9000) + QList<FixtureRow>{{"A", "T", "G", std::nullopt, "c"}});
        Pages set(db.path(), RecordFilter::anyFile());
        QVERIFY(!set.pages.countSome()); // the first 4096 rowids
        set.pages.remove(10, *set.pages.recordAt(10));
        int slices = 1;
        while (!set.pages.countSome())
            QVERIFY(++slices < 9000);
        // The removed record was counted before it left: the count does not hold it.
        QCOMPARE(set.pages.knownCount(), std::optional<int>(8999));
        QCOMPARE(set.fileAt(10), QStringLiteral("11.epub"));
    }

    // Reads of the first page cut short by time go on from the rowid where they stopped, and
    // so do the count and the reads of positions asked for meanwhile.
    void slicedReadsGoOnWhereTheyStopped()
    {
        CommentDatabase db(farApartRows());
        Pages set(db.path(), RecordFilter::search(QStringLiteral("zed"), QString(), QString(), QString()), 0);
        QVERIFY(set.settled);
        QVERIFY(set.pages.isReading());
        QCOMPARE(set.pages.readPrefix(), 1);
        QCOMPARE(set.fileAt(1), QStringLiteral("10000.epub"));
        QCOMPARE(set.pages.readPrefix(), 3);
        QVERIFY(!set.pages.isReading());
        QVERIFY(set.pages.countSome());
        QCOMPARE(set.pages.knownCount(), std::optional<int>(3));
        // Asked for more, a set whose end has been reached has nothing more to read.
        set.pages.askForMore(10);
        QVERIFY(!set.pages.isReading());
        QCOMPARE(set.failures, 0);
        // A record read that leaves the set leaves nothing more to read either.
        Pages all(db.path());
        QVERIFY(!all.pages.isReading());
        all.pages.remove(10, *all.pages.recordAt(10));
        QVERIFY(!all.pages.isReading());
        QCOMPARE(all.pages.readPrefix(), 63);
    }

    // Records added since the refresh follow the query's rows, and are found there too.
    void addedRecordsFollowTheQueryRows()
    {
        CommentDatabase db(numberedRows(3));
        Pages set(db.path());
        set.pages.append(storedRecord(7, QStringLiteral("added.epub")));
        QCOMPARE(set.pages.count(), 4);
        QCOMPARE(set.fileAt(3), QStringLiteral("added.epub"));
        set.pages.replace(3, storedRecord(7, QStringLiteral("renamed.epub")));
        set.pages.replace(1, storedRecord(2, QStringLiteral("one.epub")));
        QCOMPARE(set.fileAt(1), QStringLiteral("one.epub"));
        QCOMPARE(set.pages.positionOfRow(7), std::optional<qint64>(3));
        QCOMPARE(set.pages.positionOfRow(2), std::optional<qint64>(1));
        QCOMPARE(set.pages.positionOfRow(42), std::nullopt);
        std::optional<qint64> found;
        QVERIFY(set.pages.find(3, QStringLiteral("RENAMED.epub"), &found));
        QCOMPARE(found, std::optional<qint64>(3));
        found.reset();
        QVERIFY(set.pages.find(3, QStringLiteral("2.epub"), &found));
        QCOMPARE(found, std::optional<qint64>(2));
        set.pages.remove(3, *set.pages.recordAt(3));
        QCOMPARE(set.pages.count(), 3);
    }

    void failedReadsAreReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db25.mdb"));
        QVERIFY(TestConnection(path).exec(QStringLiteral(
            "CREATE VIEW Table1 AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
            "SELECT 'a' AS Author, 't' AS Title, 'g' AS Genre, 'f' || i AS File, 'c' AS Comment FROM n")));
        Pages set(path);
        set.connection.setReadTimeLimit(50);
        QCOMPARE(set.pages.count(), 64);
        QCOMPARE(set.failures, 1);
        QVERIFY(!set.pages.knownCount());
    }
};

QTEST_GUILESS_MAIN(TestRecordPages)
#include "test_record_pages.moc"
