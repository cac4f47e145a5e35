#include "comment_fixture.h"
#include "comments/comment_commands.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"
#include "comments/comment_search.h"
#include "comments/saved_bookmark.h"
#include "fakes/fake_message_boxes.h"
#include "names/extrapolation.h"

#include <QFile>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("File");
const QString kAuthor = QStringLiteral("Author");

QList<FixtureRow> threeRows()
{
    return {fileRow("one.epub", "Ann"), fileRow("two.epub", "Bob"), fileRow("three.epub", "Cy")};
}

// A window's data source, its commands and what they showed.
struct Window
{
    explicit Window(const QString &path) : source(path), commands(source, messages) { source.open(); }
    CommentDataSource source;
    FakeMessageBoxes messages;
    CommentCommands commands;
};

} // namespace

class TestCommentCommands : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SavedBookmark = CommentBookmark(); }

    void addNewTakesTheUtilityFields_data()
    {
        QTest::addColumn<FileInfo>("utilities");
        QTest::addColumn<bool>("written");
        QTest::newRow("analysed file") << FileInfo{"Asimov - Foundation.pdf", "Asimov", "Foundation"} << true;
        QTest::newRow("empty fields") << FileInfo{} << false;
    }
    void addNewTakesTheUtilityFields()
    {
        QFETCH(FileInfo, utilities);
        QFETCH(bool, written);
        CommentDatabase db(threeRows());
        Window window(db.path());
        QVERIFY(window.source.setValue(QStringLiteral("Genre"), QStringLiteral("typed before")));
        window.commands.addNew(utilities);
        QVERIFY(window.source.isNewRecord());
        QCOMPARE(window.source.currentIndex(), 3);
        QCOMPARE(window.source.value(kFile), utilities.file);
        QCOMPARE(window.source.value(kAuthor), utilities.author);
        QCOMPARE(window.source.value(QStringLiteral("Title")), utilities.title);
        QCOMPARE(window.source.value(QStringLiteral("Genre")), QString());
        QCOMPARE(window.source.value(QStringLiteral("Comment")), QString());
        // The record left was written; the new one only when left or saved.
        QCOMPARE(db.column(QStringLiteral("Genre"))[0], QStringLiteral("typed before"));
        QVERIFY(window.source.moveFirst());
        QCOMPARE(db.column(kFile).size(), written ? 4 : 3);
        QVERIFY(window.messages.shown.isEmpty());
    }

    void deleteNeedsAFileName_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("current");
        QTest::newRow("first record") << 0 << QStringList{"two.epub", "three.epub", ""} << "";
        QTest::newRow("record without file") << 3 << QStringList{"one.epub", "two.epub", "three.epub", ""} << "";
    }
    void deleteNeedsAFileName()
    {
        QFETCH(int, record);
        QFETCH(QStringList, left);
        CommentDatabase db(threeRows() + QList<FixtureRow>{{"Di", "T", "G", "", "c"}});
        Window window(db.path());
        QVERIFY(window.source.moveTo(record));
        window.commands.deleteRecord();
        QStringList files = db.column(kFile);
        QCOMPARE(files, left);
        // After a delete the last record is current; without one nothing moved.
        QCOMPARE(window.source.currentIndex(), record == 3 ? 3 : 2);
    }

    void deleteRightAfterAddNewWithoutFileDoesNothing()
    {
        CommentDatabase db(threeRows());
        Window window(db.path());
        window.commands.addNew(FileInfo{});
        window.commands.deleteRecord();
        QVERIFY(window.source.isNewRecord());
        QCOMPARE(window.source.currentIndex(), 3);
    }

    void saveWritesAndShowsTheLastRecord()
    {
        CommentDatabase db(threeRows());
        Window window(db.path());
        QVERIFY(window.source.setValue(kAuthor, QStringLiteral("Ann Leckie")));
        window.commands.save();
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann Leckie"));
        QCOMPARE(window.source.currentIndex(), 2);
        window.commands.addNew(FileInfo{"new.epub", "N", "T"});
        window.commands.save();
        QCOMPARE(db.column(kFile).last(), QStringLiteral("new.epub"));
        QCOMPARE(window.source.value(kFile), QStringLiteral("new.epub"));
        QVERIFY(!window.source.isNewRecord());
    }

    void countShowsTheRecordCount_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("missingFile");
        QTest::addColumn<QString>("text");
        QTest::newRow("three") << 3 << false << "Record Count: 3";
        QTest::newRow("empty table") << 0 << false << "Record Count: 0";
        QTest::newRow("no database") << 0 << true << "Record Count: 0";
        QTest::newRow("more than a page") << 150 << false << "Record Count: 150";
    }
    void countShowsTheRecordCount()
    {
        QFETCH(int, rows);
        QFETCH(bool, missingFile);
        QFETCH(QString, text);
        QList<FixtureRow> fixture;
        for (int i = 0; i < rows; ++i)
            fixture << fileRow(QStringLiteral("%1.epub").arg(i));
        CommentDatabase db(fixture);
        if (missingFile)
            QFile::remove(db.path());
        Window window(db.path());
        window.commands.count();
        QCOMPARE(window.messages.kinds(), QStringList{"inform"});
        QCOMPARE(window.messages.shown[0].title, QStringLiteral("Shelvana"));
        QCOMPARE(window.messages.shown[0].text, text);
        QCOMPARE(window.source.currentIndex(), rows - 1);
    }

    void countAfterDeleteShowsOneLess()
    {
        CommentDatabase db(threeRows());
        Window window(db.path());
        window.commands.deleteRecord();
        window.commands.count();
        QCOMPARE(window.messages.shown.last().text, QStringLiteral("Record Count: 2"));
    }

    void lastmarkGoesBackOnlyWithinItsRecordSet()
    {
        CommentDatabase db(threeRows());
        Window tab(db.path());
        Window database(db.path());
        tab.commands.lastmark();
        QCOMPARE(tab.source.currentIndex(), 0);
        QVERIFY(tab.source.moveNext());
        tab.commands.bookmark();
        QVERIFY(tab.source.moveLast());
        tab.commands.lastmark();
        QCOMPARE(tab.source.value(kFile), QStringLiteral("two.epub"));
        // The other window's record set knows no record by it.
        database.commands.lastmark();
        QCOMPARE(database.source.currentIndex(), 0);
        // A bookmark taken there replaces it for both.
        QVERIFY(database.source.moveLast());
        database.commands.bookmark();
        QVERIFY(database.source.moveFirst());
        database.commands.lastmark();
        QCOMPARE(database.source.currentIndex(), 2);
        QVERIFY(tab.source.moveFirst());
        tab.commands.lastmark();
        QCOMPARE(tab.source.currentIndex(), 0);
        QVERIFY(tab.messages.shown.isEmpty());
    }

    void lastmarkSaysWhenTheDatabaseCannotBeRead()
    {
        CommentDatabase db(threeRows());
        Window window(db.path());
        QVERIFY(window.source.moveNext());
        window.commands.bookmark();
        QVERIFY(window.source.moveLast());
        TestConnection otherProgram(db.path());
        QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        window.commands.lastmark();
        QCOMPARE(window.messages.kinds(), QStringList{"warn"});
        QVERIFY2(window.messages.shown[0].text.contains(QLatin1String("bookmarked")) &&
                     window.messages.shown[0].text.contains(QLatin1String("locked")),
                 qPrintable(window.messages.shown[0].text));
        QCOMPARE(window.source.currentIndex(), 2);
        QVERIFY(otherProgram.exec(QStringLiteral("COMMIT")));
        window.commands.lastmark();
        QCOMPARE(window.source.currentIndex(), 1);
        QCOMPARE(window.messages.shown.size(), 1);
    }

    void failedCommitKeepsEditsAndSaysWhy_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("save") << "save";
        QTest::newRow("add new") << "add";
        QTest::newRow("count") << "count";
        QTest::newRow("delete") << "delete";
        QTest::newRow("file lookup") << "lookup";
    }
    void failedCommitKeepsEditsAndSaysWhy()
    {
        QFETCH(QString, command);
        CommentDatabase db(threeRows());
        Window window(db.path());
        // Refused writes look the same to SQLite whether the file or the connection refuses
        // them, and the connection refuses them for root too.
        QVERIFY(window.source.refuseWrites());
        QVERIFY(window.source.setValue(kAuthor, QStringLiteral("typed")));
        if (command == "save")
            window.commands.save();
        else if (command == "add")
            window.commands.addNew(FileInfo{"other.epub", "Other", "T"});
        else if (command == "count")
            window.commands.count();
        else if (command == "delete")
            window.commands.deleteRecord();
        else {
            QString problem;
            window.commands.findFile(QStringLiteral("two.epub"), &problem);
            window.commands.warn(problem);
        }
        QCOMPARE(window.messages.kinds(), QStringList{"warn"});
        QVERIFY2(window.messages.shown[0].text.contains(QLatin1String("read-only")),
                 qPrintable(window.messages.shown[0].text));
        QCOMPARE(window.source.currentIndex(), 0);
        QCOMPARE(window.source.value(kAuthor), QStringLiteral("typed"));
        QCOMPARE(db.column(kAuthor)[0], QStringLiteral("Ann"));
    }

    void closingAsksWhenTheCommitFails_data()
    {
        QTest::addColumn<QList<MessageBoxes::FailedCommitChoice>>("choices");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("editsKept");
        using Choice = MessageBoxes::FailedCommitChoice;
        QTest::newRow("stay") << QList<Choice>{Choice::Stay} << false << true;
        QTest::newRow("discard") << QList<Choice>{Choice::Discard} << true << false;
        QTest::newRow("retry, then stay") << QList<Choice>{Choice::Retry, Choice::Stay} << false << true;
    }
    void closingAsksWhenTheCommitFails()
    {
        QFETCH(QList<MessageBoxes::FailedCommitChoice>, choices);
        QFETCH(bool, closes);
        QFETCH(bool, editsKept);
        CommentDatabase db(threeRows());
        Window window(db.path());
        QVERIFY(window.source.refuseWrites());
        QVERIFY(window.source.setValue(kAuthor, QStringLiteral("typed")));
        window.messages.commitChoices = choices;
        QCOMPARE(window.commands.commitBeforeClose(), closes);
        QCOMPARE(window.messages.kinds().count(QStringLiteral("ask")), choices.size());
        QCOMPARE(window.source.hasPendingEdits(), editsKept);
    }

    void closingWritesPendingEdits()
    {
        CommentDatabase db(threeRows());
        Window window(db.path());
        window.commands.addNew(FileInfo{"new.epub", "N", "T"});
        QVERIFY(window.commands.commitBeforeClose());
        QCOMPARE(db.column(kFile).last(), QStringLiteral("new.epub"));
        // A blank new record is dropped, as leaving it would.
        window.commands.addNew(FileInfo{});
        QVERIFY(window.commands.commitBeforeClose());
        QCOMPARE(db.column(kFile).size(), 4);
        QVERIFY(window.messages.shown.isEmpty());
    }

    void savingOverTheOtherWindowsChangeTellsTheUser()
    {
        CommentDatabase db(threeRows());
        Window tab(db.path());
        Window database(db.path());
        QVERIFY(database.source.setValue(kAuthor, QStringLiteral("changed there")));
        database.commands.save();
        QVERIFY(tab.source.setValue(kAuthor, QStringLiteral("changed here")));
        tab.commands.save();
        QCOMPARE(tab.messages.kinds(), QStringList{"inform"});
        QVERIFY(tab.messages.shown[0].text.contains(QLatin1String("new record")));
        QCOMPARE(db.column(kAuthor), (QStringList{"changed there", "Bob", "Cy", "changed here"}));
    }

    void searchRunsAtEveryChangeAndClearAllListsEveryFile()
    {
        CommentDatabase db(threeRows() + QList<FixtureRow>{{"Anne", "T", std::nullopt, "nogenre.epub", "c"},
                                                           {"Al", "T", "G", std::nullopt, "c"}});
        Window window(db.path());
        CommentSearch search(window.source, window.commands);
        search.setText(SearchField::Author, QStringLiteral("a"));
        QCOMPARE(window.source.recordSource(),
                 SearchQueryText(QStringLiteral("a"), QString(), QString(), QString()));
        QCOMPARE(window.source.recordCount(), 1); // Anne has no genre, Al no file
        search.setText(SearchField::Author, QStringLiteral("an"));
        search.setText(SearchField::File, QStringLiteral("o"));
        QCOMPARE(window.source.value(kFile), QStringLiteral("one.epub"));
        search.clearAll();
        for (const SearchField field : {SearchField::Author, SearchField::Title, SearchField::Genre, SearchField::File})
            QCOMPARE(search.text(field), QString());
        QCOMPARE(window.source.recordSource(), ClearAllQueryText());
        QCOMPARE(window.source.recordCount(), 4);
        // A quote is searched for like any other character.
        search.setText(SearchField::Title, QStringLiteral("'"));
        QCOMPARE(window.source.recordCount(), 0);
        QVERIFY(window.source.recordSetError().isEmpty());
        // An unfinished pattern lists nothing and says so without a box in the way.
        search.setText(SearchField::Title, QStringLiteral("["));
        QCOMPARE(window.source.recordCount(), 0);
        QVERIFY(!window.source.recordSetError().isEmpty());
        QVERIFY(window.messages.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommentCommands)
#include "test_comment_commands.moc"
