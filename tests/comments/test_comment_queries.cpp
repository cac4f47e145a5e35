#include "comment_fixture.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"
#include "comments/comment_record_model.h"
#include "comments/record_filter.h"

#include <QTest>

namespace {

QStringList filesOf(CommentDataSource &source)
{
    QStringList files;
    for (int i = 0; i < source.recordCount(); ++i)
        files << source.valueAt(i, QStringLiteral("File"));
    return files;
}

// Quotes, SQL wildcards (% _) and Access wildcards (* ? # [) in every searched field.
QList<FixtureRow> searchRows()
{
    return {
        {"Flann O'Brien", "The Third Policeman", "Absurd", "third_policeman.epub", "<p>a</p>"},
        {"O'Brien, Flann", "At Swim-Two-Birds", "Children's", "o'brien_swim.epub", std::nullopt},
        {"Madeleine L'Engle", "Hitchhiker's Guide", "Sci_Fi", "50%_off.epub", "<p>b</p>"},
        {"Ann Leckie", "50% Off", "SciXFi", "500days.epub", "<p>c</p>"},
        {"anne rice", "500 Days", "Fan[tasy]", "a#b?.epub", "<p>d</p>"},
        {"Bob", "Star*Dust", "Fantasy", "ab1.epub", "<p>e</p>"},
        {"Bob Two", "Stardust", "Fantasy", "star.epub", "<p>f</p>"},
        {"Ann Other", "No Genre", std::nullopt, "nogenre.epub", "<p>g</p>"},
        {"Zed", "No File", "SF", std::nullopt, "<p>h</p>"},
        {"", "", "", "empty.epub", ""},
    };
}

const QStringList kEveryFourFieldRecord = {"third_policeman.epub", "o'brien_swim.epub", "50%_off.epub",
                                           "500days.epub", "a#b?.epub", "ab1.epub", "star.epub", "empty.epub"};

} // namespace

class TestCommentQueries : public QObject
{
    Q_OBJECT

private slots:
    // The texts of the four search boxes: each field must begin with its box's text, compared
    // without regard to case; a quote, "%" and "_" are characters like any other.
    void searchListsRecordsByPrefix_data()
    {
        QTest::addColumn<QStringList>("boxes"); // Author, Title, Genre, File
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all empty skips fields without a value") << QStringList{"", "", "", ""} << kEveryFourFieldRecord;
        QTest::newRow("author prefix, any case")
            << QStringList{"ann", "", "", ""} << QStringList{"500days.epub", "a#b?.epub"};
        QTest::newRow("prefix only, not inside") << QStringList{"rice", "", "", ""} << QStringList{};
        QTest::newRow("two fields narrow") << QStringList{"ANN", "", "", "A[#]"} << QStringList{"a#b?.epub"};
        QTest::newRow("quote in Author") << QStringList{"Flann O'B", "", "", ""} << QStringList{"third_policeman.epub"};
        QTest::newRow("quote first in Author, any case")
            << QStringList{"o'b", "", "", ""} << QStringList{"o'brien_swim.epub"};
        QTest::newRow("quote after a star in Author")
            << QStringList{"*o'b", "", "", ""} << QStringList{"third_policeman.epub", "o'brien_swim.epub"};
        QTest::newRow("L'Engle") << QStringList{"madeleine l'engle", "", "", ""} << QStringList{"50%_off.epub"};
        QTest::newRow("quote in Title") << QStringList{"", "hitchhiker's", "", ""} << QStringList{"50%_off.epub"};
        QTest::newRow("quote in Genre") << QStringList{"", "", "children'", ""} << QStringList{"o'brien_swim.epub"};
        QTest::newRow("quote in File") << QStringList{"", "", "", "O'Brien_"} << QStringList{"o'brien_swim.epub"};
        QTest::newRow("lone quote") << QStringList{"", "'", "", ""} << QStringList{};
        QTest::newRow("percent in Title is no wildcard")
            << QStringList{"", "50%", "", ""} << QStringList{"500days.epub"};
        QTest::newRow("percent alone") << QStringList{"%", "", "", ""} << QStringList{};
        QTest::newRow("underscore in Genre is no wildcard")
            << QStringList{"", "", "sci_", ""} << QStringList{"50%_off.epub"};
        QTest::newRow("percent and underscore in File")
            << QStringList{"", "", "", "50%_"} << QStringList{"50%_off.epub"};
        QTest::newRow("question mark in Genre") << QStringList{"", "", "sci?fi", ""}
                                                << QStringList{"50%_off.epub", "500days.epub"};
        QTest::newRow("star in Title") << QStringList{"", "*dust", "", ""} << QStringList{"ab1.epub", "star.epub"};
        QTest::newRow("literal star in Title") << QStringList{"", "star[*]", "", ""} << QStringList{"ab1.epub"};
        QTest::newRow("bracket in Genre") << QStringList{"", "", "fan[[]", ""} << QStringList{"a#b?.epub"};
        QTest::newRow("digit in File") << QStringList{"", "", "", "ab#"} << QStringList{"ab1.epub"};
        QTest::newRow("literal # and ? in File") << QStringList{"", "", "", "a[#]b[?]"} << QStringList{"a#b?.epub"};
        QTest::newRow("character list in Author")
            << QStringList{"[!a-f]", "", "", ""} << QStringList{"o'brien_swim.epub", "50%_off.epub"};
        QTest::newRow("statement text is only text")
            << QStringList{"'); DELETE FROM Table1; --", "", "", ""} << QStringList{};
    }
    void searchListsRecordsByPrefix()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, expected);
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY2(source.open(), qPrintable(source.errorString()));
        source.setRecordFilter(RecordFilter::search(boxes[0], boxes[1], boxes[2], boxes[3]));
        QVERIFY2(source.refresh(), qPrintable(source.errorString()));
        QCOMPARE(filesOf(source), expected);
        QCOMPARE(source.currentIndex(), expected.isEmpty() ? -1 : 0);
        QVERIFY(source.recordSetError().isEmpty());
        QCOMPARE(db.column(QStringLiteral("File")).size(), searchRows().size());
    }

    void clearAllListsEveryRecordWithAFile()
    {
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::anyFile());
        QVERIFY2(source.refresh(), qPrintable(source.errorString()));
        QCOMPARE(filesOf(source), (kEveryFourFieldRecord.first(7) + QStringList{"nogenre.epub", "empty.epub"}));
        QCOMPARE(source.recordSource(), ClearAllQueryText());
    }

    // The record sources the program spells as text read as the filters they stand for;
    // anything else is refused rather than handed to the engine.
    void recordSourceTextIsReadAsAFilter_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<std::optional<RecordFilter>>("expected");
        QTest::newRow("table") << "Table1" << std::optional(RecordFilter());
        QTest::newRow("bracketed table") << " [Table1] " << std::optional(RecordFilter());
        QTest::newRow("Clear All") << ClearAllQueryText() << std::optional(RecordFilter::anyFile());
        QTest::newRow("search") << SearchQueryText("a", "t", "g", "f")
                                << std::optional(RecordFilter::search("a", "t", "g", "f"));
        QTest::newRow("search with doubled quotes")
            << SearchQueryText("O''B", "", "", "") << std::optional(RecordFilter::search("O'B", "", "", ""));
        QTest::newRow("a quote not doubled") << SearchQueryText("O'B", "", "", "") << std::optional<RecordFilter>();
        QTest::newRow("second statement")
            << "SELECT * FROM Table1 WHERE File LIKE '*'; DELETE FROM Table1" << std::optional<RecordFilter>();
        QTest::newRow("other condition") << "SELECT * FROM Table1 WHERE 1 = 1" << std::optional<RecordFilter>();
        QTest::newRow("unknown field") << "SELECT * FROM Table1 WHERE Rating LIKE '5'" << std::optional<RecordFilter>();
        QTest::newRow("unbalanced parenthesis")
            << "SELECT * FROM Table1 WHERE (File LIKE '*'" << std::optional<RecordFilter>();
        QTest::newRow("some fields") << "SELECT Author FROM Table1" << std::optional<RecordFilter>();
    }
    void recordSourceTextIsReadAsAFilter()
    {
        QFETCH(QString, source);
        QFETCH(std::optional<RecordFilter>, expected);
        const std::optional<RecordFilter> filter = RecordFilter::fromRecordSource(source);
        QCOMPARE(filter.has_value(), expected.has_value());
        if (filter) {
            QCOMPARE(filter->table(), expected->table());
            QCOMPARE(filter->patterns(), expected->patterns());
        }
    }

    void refusedRecordSourceListsNothing()
    {
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordSource(QStringLiteral("SELECT * FROM Table1 WHERE 1 = 1; DROP TABLE Table1"));
        QVERIFY(!source.refresh());
        QVERIFY(!source.hasCurrentRecord());
        QVERIFY(!source.recordSetError().isEmpty());
        QCOMPARE(db.column(QStringLiteral("File")).size(), searchRows().size());
    }

    void searchResultCanBeEdited()
    {
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::search("bob t", "", "", ""));
        QVERIFY(source.refresh());
        QVERIFY(source.setValue(QStringLiteral("Genre"), QStringLiteral("Short stories")));
        QVERIFY2(source.updateBatch(), qPrintable(source.errorString()));
        QCOMPARE(db.column(QStringLiteral("Genre"))[6], QStringLiteral("Short stories"));
    }

    // A search that cannot be read does not leave the rows of the one before on screen as if
    // they were its answer: the set is empty and says why, and the next search works again.
    void failedSearchLeavesNoStaleRows_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("open bracket in File") << QStringList{"", "", "", "["};
        QTest::newRow("bracket being typed in Title") << QStringList{"", "[ab", "", ""};
        QTest::newRow("descending range in Author") << QStringList{"[z-a]", "", "", ""};
        QTest::newRow("open bracket in Genre") << QStringList{"", "", "fan[", ""};
    }
    void failedSearchLeavesNoStaleRows()
    {
        QFETCH(QStringList, boxes);
        CommentDatabase db(searchRows());
        CommentDataSource source(db.path());
        CommentRecordModel grid(source);
        QVERIFY(source.open());
        source.setRecordFilter(RecordFilter::search("ann", "", "", ""));
        QVERIFY(source.refresh());
        QVERIFY(source.moveNext());
        QVERIFY(source.setValue(QStringLiteral("Genre"), QStringLiteral("typed")));
        source.setRecordFilter(RecordFilter::search(boxes[0], boxes[1], boxes[2], boxes[3]));
        QVERIFY(!source.refresh());
        const QString typed = *std::find_if(boxes.begin(), boxes.end(), [](const QString &box) { return !box.isEmpty(); });
        QVERIFY2(source.recordSetError().contains(QStringLiteral("Search text \"%1\" is not complete").arg(typed)),
                 qPrintable(source.recordSetError()));
        QCOMPARE(source.errorString(), source.recordSetError());
        QVERIFY(!source.hasCurrentRecord());
        QCOMPARE(source.recordCount(), 0);
        QCOMPARE(grid.rowCount(), 1); // only the empty row for a new record
        // What was typed before the search was written.
        QCOMPARE(db.column(QStringLiteral("Genre"))[4], QStringLiteral("typed"));
        source.setRecordFilter(RecordFilter::search("ann", "", "", ""));
        QVERIFY(source.refresh());
        QVERIFY(source.recordSetError().isEmpty());
        QCOMPARE(filesOf(source), (QStringList{"500days.epub", "a#b?.epub"}));
    }
};

QTEST_GUILESS_MAIN(TestCommentQueries)
#include "test_comment_queries.moc"
