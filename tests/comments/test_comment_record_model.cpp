#include "comment_fixture.h"
#include "comments/comment_data_source.h"
#include "comments/comment_record_model.h"
#include "comments/record_filter.h"

#include <QAbstractItemModelTester>
#include <QTest>

namespace {

QList<FixtureRow> evenAndOddRows(int count)
{
    QList<FixtureRow> rows;
    for (int i = 0; i < count; ++i)
        rows << fileRow(QStringLiteral("%1.epub").arg(i), i % 2 ? QStringLiteral("Odd") : QStringLiteral("Even"));
    return rows;
}

} // namespace

// The grid's model keeps Qt's model rules (checked by QAbstractItemModelTester at every
// change) through everything the data source does under it.
class TestCommentRecordModel : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheModelRulesThroughEveryChange()
    {
        CommentDatabase db(evenAndOddRows(600));
        CommentDataSource source(db.path());
        CommentRecordModel model(source);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(source.open());
        // The tester fetches rows itself after every change, so the rows shown grow as it looks.
        QVERIFY(model.rowCount() > 1);
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("0.epub"));
        QCOMPARE(model.headerData(model.newRecordRow(), Qt::Vertical).toString(), QStringLiteral("*"));
        // Moving to the last record makes the count known: every record has its row.
        QVERIFY(source.moveLast());
        QCOMPARE(model.rowCount(), 601);
        QVERIFY(!model.canFetchMore(QModelIndex()));
        QCOMPARE(model.index(599, 3).data().toString(), QStringLiteral("599.epub"));

        // Typing into the empty row starts a new record, which gets a row of its own.
        QVERIFY(model.setData(model.index(model.newRecordRow(), 3), QStringLiteral("new.epub")));
        QCOMPARE(model.rowCount(), 602);
        QCOMPARE(model.index(600, 3).data().toString(), QStringLiteral("new.epub"));
        QVERIFY(model.setData(model.index(5, 0), QStringLiteral("Edited")));
        QCOMPARE(model.index(5, 0).data().toString(), QStringLiteral("Edited"));
        QCOMPARE(db.column(QStringLiteral("File")).last(), QStringLiteral("new.epub"));

        QVERIFY(model.removeRows(10, 3));
        QCOMPARE(model.rowCount(), 599);
        QCOMPARE(model.index(10, 3).data().toString(), QStringLiteral("13.epub"));

        source.setRecordFilter(RecordFilter::search(QStringLiteral("odd"), QString(), QString(), QString()));
        QVERIFY(source.refresh());
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("1.epub"));
        source.setRecordFilter(RecordFilter::search(QStringLiteral("["), QString(), QString(), QString()));
        QVERIFY(!source.refresh());
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(!model.canFetchMore(QModelIndex()));
    }
};

QTEST_GUILESS_MAIN(TestCommentRecordModel)
#include "test_comment_record_model.moc"
