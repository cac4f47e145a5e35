#include "comments/comment_record.h"
#include "comments/record_cursor.h"

#include <QTest>

namespace {

constexpr int kAuthor = 0;
constexpr int kGenre = 2;

// Author "Ann", Genre without a value, the other fields empty.
CommentRecord storedRecord()
{
    CommentRecord record;
    record.rowId = 7;
    record.stored = true;
    record.values = {QByteArray("Ann"), QByteArray(""), std::nullopt, QByteArray(""), QByteArray("")};
    return record;
}

} // namespace

// The current record and what was typed into it, apart from any database.
class TestRecordCursor : public QObject
{
    Q_OBJECT

private slots:
    void editIsPendingUnlessItPutsBackTheStoredValue_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pending");
        QTest::newRow("changed") << kAuthor << "Bob" << true;
        QTest::newRow("stored value again") << kAuthor << "Ann" << false;
        QTest::newRow("other case is a change") << kAuthor << "ann" << true;
        QTest::newRow("emptied") << kAuthor << "" << true;
        QTest::newRow("empty into a field without a value") << kGenre << "" << false;
        QTest::newRow("text into a field without a value") << kGenre << "SF" << true;
    }
    void editIsPendingUnlessItPutsBackTheStoredValue()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(bool, pending);
        RecordCursor cursor;
        const CommentRecord record = storedRecord();
        cursor.show(3, &record);
        QVERIFY(cursor.setValue(field, typed));
        QCOMPARE(cursor.hasPendingEdits(), pending);
        QCOMPARE(cursor.values()[field].value_or(QString()), typed);
        // The record as read stays as it was.
        QCOMPARE(TextOf(cursor.record().values[kAuthor]), std::optional<QString>(QStringLiteral("Ann")));
    }

    void noRecordTakesNoEdit()
    {
        RecordCursor cursor;
        QVERIFY(!cursor.hasRecord());
        QVERIFY(!cursor.setValue(kAuthor, QStringLiteral("x")));
        cursor.show(0, nullptr);
        QCOMPARE(cursor.position(), -1);
        const CommentRecord record = storedRecord();
        cursor.show(0, &record);
        QVERIFY(!cursor.setValue(-1, QStringLiteral("x")));
        QVERIFY(!cursor.setValue(kCommentFieldCount, QStringLiteral("x")));
        QVERIFY(!cursor.hasPendingEdits());
    }

    void newRecordIsBlankUntilSomethingIsTyped()
    {
        RecordCursor cursor;
        const CommentRecord record = storedRecord();
        cursor.show(4, &record);
        cursor.startNew(10);
        QVERIFY(cursor.isNew());
        QCOMPARE(cursor.position(), 10);
        QCOMPARE(cursor.positionBeforeNew(), 4);
        QVERIFY(cursor.isBlankNewRecord());
        QCOMPARE(cursor.values()[kAuthor], std::nullopt);
        QVERIFY(cursor.setValue(kAuthor, QString()));
        QVERIFY(cursor.isBlankNewRecord());
        QVERIFY(cursor.setValue(kAuthor, QStringLiteral("typed")));
        QVERIFY(!cursor.isBlankNewRecord());
    }

    void writtenRecordKeepsWhatWasTypedWithoutEdits()
    {
        RecordCursor cursor;
        cursor.startNew(0);
        QVERIFY(cursor.setValue(kAuthor, QStringLiteral("typed")));
        CommentRecord written;
        written.rowId = 9;
        written.stored = true;
        written.values[kAuthor] = QByteArray("typed");
        cursor.written(written);
        QVERIFY(!cursor.isNew());
        QVERIFY(!cursor.hasPendingEdits());
        QCOMPARE(cursor.values()[kAuthor], std::optional<QString>(QStringLiteral("typed")));
        QCOMPARE(cursor.position(), 0);
        // Showing another record drops what was typed there.
        QVERIFY(cursor.setValue(kAuthor, QStringLiteral("more")));
        const CommentRecord other = storedRecord();
        cursor.show(1, &other);
        QVERIFY(!cursor.hasPendingEdits());
        QCOMPARE(cursor.values()[kAuthor], std::optional<QString>(QStringLiteral("Ann")));
    }
};

QTEST_GUILESS_MAIN(TestRecordCursor)
#include "test_record_cursor.moc"
