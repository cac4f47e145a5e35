#include "comment_fixture.h"
#include "comments/comment_connection.h"

#include <QFileInfo>
#include <QTest>

#include <sqlite3.h>

class TestCommentConnection : public QObject
{
    Q_OBJECT

private slots:
    void neverCreatesAFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db25.mdb"));
        CommentConnection connection;
        QVERIFY(!connection.open(path));
        QVERIFY(!connection.isOpen());
        QCOMPARE(connection.errorCode(), SQLITE_CANTOPEN);
        QVERIFY(!QFileInfo::exists(path));
    }

    void valuesAreBoundAsTheirKind_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("type");
        QTest::newRow("no value") << QVariant() << "null";
        QTest::newRow("empty text") << QVariant(QString()) << "text";
        QTest::newRow("quote") << QVariant(QStringLiteral("O'Brien")) << "text";
        QTest::newRow("number") << QVariant(qint64(5)) << "integer";
    }
    void valuesAreBoundAsTheirKind()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, type);
        CommentDatabase db;
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        QStringList read;
        QVERIFY(connection.read({QStringLiteral("SELECT typeof(?1), ?1"), {value}}, [&read](const SqlRow &row) {
            read << QString::fromUtf8(*row.text(0)) << QString::fromUtf8(row.text(1).value_or("<none>"));
        }));
        QCOMPARE(read, (QStringList{type, value.isValid() ? value.toString() : QStringLiteral("<none>")}));
    }

    void writesSayWhatTheyChanged()
    {
        CommentDatabase db({fileRow("a.epub"), fileRow("b.epub")});
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        QCOMPARE(connection.write({QStringLiteral("INSERT INTO Table1 (File) VALUES (?)"), {QStringLiteral("c.epub")}})
                     .value_or(-1),
                 1);
        QCOMPARE(connection.lastInsertedRowId(), qint64(3));
        QCOMPARE(connection.write({QStringLiteral("UPDATE Table1 SET Genre = ? WHERE File <> ?"),
                                   {QStringLiteral("G2"), QStringLiteral("c.epub")}})
                     .value_or(-1),
                 2);
        QCOMPARE(db.column(QStringLiteral("Genre")), (QStringList{"G2", "G2", "<null>"}));
    }

    void accessLikeIsRegistered()
    {
        CommentDatabase db({fileRow("a.epub", "Ann"), fileRow("b.epub", "Bob")});
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        std::optional<qint64> count;
        QVERIFY(connection.readNumber({QStringLiteral("SELECT count(*) FROM Table1 WHERE Author LIKE ?"), {QStringLiteral("a*")}},
                                      &count));
        QCOMPARE(count.value_or(-1), qint64(1));
    }

    void failuresKeepTheirCode()
    {
        CommentDatabase db({fileRow("a.epub")});
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        std::optional<qint64> number;
        QVERIFY(!connection.check({QStringLiteral("SELECT Rating FROM Table1"), {}}));
        QVERIFY2(connection.errorMessage().contains(QLatin1String("Rating")), qPrintable(connection.errorMessage()));
        QVERIFY(!connection.readNumber({QStringLiteral("SELECT 1 WHERE 0"), {}}, &number));
        QVERIFY(connection.refuseWrites());
        QVERIFY(!connection.write({QStringLiteral("DELETE FROM Table1"), {}}));
        QCOMPARE(connection.errorCode() & 0xFF, SQLITE_READONLY);
        QCOMPARE(db.column(QStringLiteral("File")), QStringList{"a.epub"});
    }

    void aReadWithoutEndIsGivenUp()
    {
        CommentDatabase db;
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        connection.setReadTimeLimit(50);
        std::optional<qint64> number;
        QVERIFY(!connection.readNumber(
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT max(i) FROM n"), {}},
            &number));
        QCOMPARE(connection.errorCode(), SQLITE_INTERRUPT);
        // The limit holds only while a read runs.
        QVERIFY(connection.readNumber({QStringLiteral("SELECT 1"), {}}, &number));
        QCOMPARE(number.value_or(-1), qint64(1));
    }
};

QTEST_GUILESS_MAIN(TestCommentConnection)
#include "test_comment_connection.moc"
