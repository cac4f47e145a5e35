#include "comment_fixture.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"

#include <QTest>

namespace {

QStringList filesOf(const CommentDataSource &source)
{
    QStringList files;
    for (int i = 0; i < source.recordCount(); ++i)
        files << source.valueAt(i, QStringLiteral("File"));
    return files;
}

QList<FixtureRow> searchRows()
{
    return {
        {"Ann Leckie", "Ancillary Justice", "SF", "ancillary.epub", "<p>a</p>"},
        {"anne rice", "Interview", "Horror", "interview.epub", std::nullopt},
        {"Bob", "O'Brien Stories", "Fiction", "obrien.epub", "<p>b</p>"},
        {"Ann Other", "No Genre", std::nullopt, "nogenre.epub", "<p>c</p>"},
        {"Zed", "No File", "SF", std::nullopt, "<p>d</p>"},
        {"", "", "", "empty.epub", ""},
    };
}

} // namespace

class TestCommentQueries : public QObject
{
    Q_OBJECT

private slots:
    void searchTextIsSpelledExactly_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("author only")
            << QStringList{"Ann", "", "", ""}
            << "SELECT * FROM Table1 WHERE (Author LIKE 'Ann*') AND (Title LIKE '*')AND (Genre LIKE '*')AND "
               "(File LIKE '*')";
        QTest::newRow("all four")
            << QStringList{"a", "t", "g", "f"}
            << "SELECT * FROM Table1 WHERE (Author LIKE 'a*') AND (Title LIKE 't*')AND (Genre LIKE 'g*')AND "
               "(File LIKE 'f*')";
        QTest::newRow("texts used as they are")
            << QStringList{" O'B ", "", "", ""}
            << "SELECT * FROM Table1 WHERE (Author LIKE ' O'B *') AND (Title LIKE '*')AND (Genre LIKE '*')AND "
               "(File LIKE '*')";
    }
    void searchTextIsSpelledExactly()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, expected);
        QCOMPARE(SearchQueryText(fields[0], fields[1], fields[2], fields[3]), expected);
    }

    void clearAllText()
    {
        QCOMPARE(ClearAllQueryText(), QStringLiteral("SELECT * FROM Table1 WHERE File Like '*'"));
    }

    void criterionDoublesQuotes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "book.epub" << "File = 'book.epub'";
        QTest::newRow("apostrophe") << "O'Brien.epub" << "File = 'O''Brien.epub'";
        QTest::newRow("two quotes") << "a''b" << "File = 'a''''b'";
        QTest::newRow("empty") << "" << "File = ''";
    }
    void criterionDoublesQuotes()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(FileCriterion(file), expected);
    }

    void searchListsRecordsByPrefix_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all empty skips fields without a value")
            << QStringList{"", "", "", ""} << QStringList{"ancillary.epub", "interview.epub", "obrien.epub", "empty.epub"};
        QTest::newRow("author prefix, any case")
            << QStringList{"ann", "", "", ""} << QStringList{"ancillary.epub", "interview.epub"};
        QTest::newRow("prefix only, not inside") << QStringList{"rice", "", "", ""} << QStringList{};
        QTest::newRow("two fields narrow") << QStringList{"ANN", "", "", "inter"} << QStringList{"interview.epub"};
        QTest::newRow("genre") << QStringList{"", "", "sf", ""} << QStringList{"ancillary.epub"};
        QTest::newRow("wildcards typed by the user")
            << QStringList{"[ab]", "", "", ""} << QStringList{"ancillary.epub", "interview.epub", "obrien.epub"};
        QTest::newRow("star inside") << QStringList{"", "*stories", "", ""} << QStringList{"obrien.epub"};
        QTest::newRow("percent is no wildcard") << QStringList{"%", "", "", ""} << QStringList{};
    }
    void searchListsRecordsByPrefix()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, expected);
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY2(source.open(), qPrintable(source.errorString()));
        source.setRecordSource(SearchQueryText(fields[0], fields[1], fields[2], fields[3]));
        QVERIFY2(source.refresh(), qPrintable(source.errorString()));
        QCOMPARE(filesOf(source), expected);
        QCOMPARE(source.currentIndex(), expected.isEmpty() ? -1 : 0);
    }

    void clearAllListsEveryRecordWithAFile()
    {
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordSource(ClearAllQueryText());
        QVERIFY2(source.refresh(), qPrintable(source.errorString()));
        QCOMPARE(filesOf(source),
                 (QStringList{"ancillary.epub", "interview.epub", "obrien.epub", "nogenre.epub", "empty.epub"}));
    }

    void searchResultCanBeEdited()
    {
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordSource(SearchQueryText("bob", "", "", ""));
        QVERIFY(source.refresh());
        QVERIFY(source.setValue(QStringLiteral("Genre"), QStringLiteral("Short stories")));
        QVERIFY2(source.updateBatch(), qPrintable(source.errorString()));
        QCOMPARE(db.column(QStringLiteral("Genre"))[2], QStringLiteral("Short stories"));
    }

    void queryThatBreaksIsRejected_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("single quote") << QStringList{"O'", "", "", ""};
        QTest::newRow("second statement") << QStringList{"'); DELETE FROM Table1; --", "", "", ""};
        QTest::newRow("open bracket") << QStringList{"", "", "", "["};
        QTest::newRow("descending range") << QStringList{"[z-a]", "", "", ""};
    }
    void queryThatBreaksIsRejected()
    {
        QFETCH(QStringList, fields);
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordSource(SearchQueryText("ann", "", "", ""));
        QVERIFY(source.refresh());
        QVERIFY(source.moveNext());
        source.setRecordSource(SearchQueryText(fields[0], fields[1], fields[2], fields[3]));
        QVERIFY(!source.refresh());
        QVERIFY(!source.errorString().isEmpty());
        // The previous record set and its current record stay.
        QCOMPARE(filesOf(source), (QStringList{"ancillary.epub", "interview.epub"}));
        QCOMPARE(source.currentIndex(), 1);
        QCOMPARE(db.column(QStringLiteral("File")).size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestCommentQueries)
#include "test_comment_queries.moc"
