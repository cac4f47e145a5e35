#include "comment_fixture.h"
#include "comments/comment_connection.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sqlite3.h>

namespace {

// An empty file beside the database, as a copy is made into.
QString emptyFile(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) ? file.fileName() : QString();
}

} // namespace

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

    // Set before a long export or import, so that a large table is read to its end.
    void aReadRunsToItsEndWithoutALimit()
    {
        CommentDatabase db;
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        const BoundSql count{
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000000) "
                           "SELECT count(*) FROM n"),
            {}};
        std::optional<qint64> number;
        connection.setReadTimeLimit(1);
        QVERIFY(!connection.readNumber(count, &number));
        connection.setReadTimeLimit(CommentConnection::kNoReadTimeLimit);
        QVERIFY2(connection.readNumber(count, &number), qPrintable(connection.errorMessage()));
        QCOMPARE(number.value_or(-1), qint64(2000000));
    }

    void readOnlyConnectionReadsButNeverWrites()
    {
        CommentDatabase db({fileRow("a.epub", "Ann")});
        CommentConnection connection;
        QVERIFY(!connection.openReadOnly(QDir(db.folder()).filePath(QStringLiteral("other.mdb"))));
        QCOMPARE(connection.errorCode(), SQLITE_CANTOPEN);
        QVERIFY(!QFileInfo::exists(QDir(db.folder()).filePath(QStringLiteral("other.mdb"))));
        QVERIFY(connection.openReadOnly(db.path()));
        std::optional<qint64> count;
        QVERIFY(connection.readNumber({QStringLiteral("SELECT count(*) FROM Table1 WHERE Author LIKE 'a*'"), {}}, &count));
        QCOMPARE(count.value_or(-1), qint64(1));
        QVERIFY(!connection.write({QStringLiteral("DELETE FROM Table1"), {}}));
        QCOMPARE(connection.errorCode() & 0xFF, SQLITE_READONLY);
        QCOMPARE(db.column(QStringLiteral("File")), QStringList{"a.epub"});
    }

    void copyHoldsTheSameRows()
    {
        const QList<FixtureRow> rows = {fileRow("a.epub"), {"Ann", std::nullopt, "", "b.epub", "<p>Ü</p>"}};
        CommentDatabase db(rows);
        CommentDatabase other({fileRow("old.epub")});
        CommentConnection connection;
        QVERIFY(connection.openReadOnly(db.path()));
        QVERIFY2(connection.copyTo(other.path()), qPrintable(connection.errorMessage()));
        for (const char *field : kCommentFieldNames)
            QCOMPARE(other.column(QLatin1String(field)), db.column(QLatin1String(field)));
        // Into an empty file, as a new copy is made.
        QTemporaryDir dir;
        const QString fresh = emptyFile(dir, QStringLiteral("copy.mdb"));
        QVERIFY2(connection.copyTo(fresh), qPrintable(connection.errorMessage()));
        QCOMPARE(TestConnection(fresh).column(QStringLiteral("SELECT Title FROM Table1 ORDER BY rowid")),
                 (QStringList{"T", "<null>"}));
    }

    void failedCopySaysWhy_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("kind");
        QTest::newRow("folder missing") << "missing" << int(CommentConnection::FailureKind::Other);
        QTest::newRow("a folder in the way") << "folder" << int(CommentConnection::FailureKind::Other);
        QTest::newRow("locked by another program") << "locked" << int(CommentConnection::FailureKind::Locked);
    }
    void failedCopySaysWhy()
    {
        QFETCH(QString, fault);
        QFETCH(int, kind);
        CommentDatabase db({fileRow("a.epub")});
        QTemporaryDir dir;
        QString target = emptyFile(dir, QStringLiteral("copy.mdb"));
        if (fault == "missing")
            target = dir.filePath(QStringLiteral("gone/copy.mdb"));
        else if (fault == "folder")
            target = dir.path();
        CommentConnection connection;
        connection.setBusyTimeout(0);
        QVERIFY(connection.openReadOnly(db.path()));
        TestConnection otherProgram(db.path());
        if (fault == "locked")
            QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QVERIFY(!connection.copyTo(target));
        QCOMPARE(int(connection.failureKind()), kind);
        QVERIFY(!connection.errorMessage().isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
    }

    // A full disk cannot be made in a test; a database at its largest size fails the same way.
    void aFullDatabaseIsToldApart()
    {
        CommentDatabase db;
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        std::optional<qint64> pages;
        QVERIFY(connection.readNumber({QStringLiteral("PRAGMA max_page_count = 2"), {}}, &pages));
        QVERIFY(!connection.write({QStringLiteral("INSERT INTO Table1 (Comment) VALUES (?)"), {QString(40000, u'x')}}));
        QCOMPARE(int(connection.failureKind()), int(CommentConnection::FailureKind::DiskFull));
    }

    void preparedStatementRunsWithEachValues()
    {
        CommentDatabase db({fileRow("a.epub")});
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        PreparedSql insert = connection.prepare(QStringLiteral("INSERT INTO Table1 (File, Genre) VALUES (?, ?)"));
        PreparedSql lookup = connection.prepare(QStringLiteral("SELECT File FROM Table1 WHERE rowid = ?"));
        QVERIFY(insert.isValid() && lookup.isValid());
        QCOMPARE(connection.write(insert, {QStringLiteral("b.epub"), QStringLiteral("G")}).value_or(-1), 1);
        QCOMPARE(connection.write(insert, {QStringLiteral("c.epub"), QVariant()}).value_or(-1), 1);
        QCOMPARE(connection.lastInsertedRowId(), qint64(3));
        QStringList found;
        for (const qint64 rowId : {3, 1, 9}) {
            QVERIFY(connection.read(lookup, {rowId}, [&found](const SqlRow &row) {
                found << QString::fromUtf8(row.text(0).value_or("<none>"));
            }));
        }
        QCOMPARE(found, (QStringList{"c.epub", "a.epub"}));
        QCOMPARE(db.column(QStringLiteral("Genre")), (QStringList{"G", "G", "<null>"}));
        // A run that fails leaves the statement ready for the next.
        QVERIFY(connection.write({QStringLiteral("CREATE UNIQUE INDEX OneFile ON Table1 (File)"), {}}));
        QVERIFY(!connection.write(insert, {QStringLiteral("a.epub"), QVariant()}));
        QCOMPARE(connection.errorCode() & 0xFF, SQLITE_CONSTRAINT);
        QCOMPARE(connection.write(insert, {QStringLiteral("d.epub"), QVariant()}).value_or(-1), 1);
    }

    void preparedStatementFailsSafelyOutsideItsConnection()
    {
        CommentDatabase db({fileRow("a.epub")});
        CommentConnection connection;
        QVERIFY(connection.open(db.path()));
        QVERIFY(!connection.prepare(QStringLiteral("SELECT Rating FROM Table1")).isValid());
        QVERIFY2(connection.errorMessage().contains(QLatin1String("Rating")), qPrintable(connection.errorMessage()));
        PreparedSql lookup = connection.prepare(QStringLiteral("SELECT File FROM Table1 WHERE rowid = ?"));
        QVERIFY(lookup.isValid());
        CommentConnection other;
        QVERIFY(other.open(db.path()));
        QVERIFY(!other.read(lookup, {1}, [](const SqlRow &) {}));
        QCOMPARE(other.errorCode(), SQLITE_MISUSE);
        connection.close();
        QVERIFY(!connection.read(lookup, {1}, [](const SqlRow &) {}));
        QVERIFY(connection.open(db.path()));
        QVERIFY(!connection.write(lookup, {1}));
        QCOMPARE(connection.errorCode(), SQLITE_MISUSE);
    }
};

QTEST_GUILESS_MAIN(TestCommentConnection)
#include "test_comment_connection.moc"
