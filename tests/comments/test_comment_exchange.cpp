#include "comment_fixture.h"
#include "comments/comment_commands.h"
#include "comments/comment_csv.h"
#include "comments/comment_data_source.h"
#include "comments/comment_exchange.h"
#include "comments/text/comment_text.h"
#include "fakes/fake_directory_picker.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_progress.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// Every field holds what CSV must quote, and text beyond ASCII.
QList<FixtureRow> awkwardRows()
{
    return {
        {"Brontë, Charlotte", "\"Jane\" Eyre", "Roman, gothique", "jane, eyre.epub",
         "<p>Line one, with a comma</p><p>Line \"two\" – Ümlaut 日本</p>"},
        {"O'Brien\nFlann", "The Third\r\nPoliceman", "", "third\"policeman\".pdf", "plain, \"quoted\"\ntext"},
        {"Ann", "T", std::nullopt, "ann.epub", std::nullopt},
    };
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every name in the folder, hidden ones too.
QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

struct Window
{
    explicit Window(const QString &path)
        : source(path), commands(source, messages),
          exchange(source, commands, messages, picker, progress, PlainTextOfComment)
    {
        source.open();
    }
    void exportTo(const QString &folder)
    {
        picker.answer = folder;
        exchange.exportDatabase();
    }
    void importFrom(const QString &folder)
    {
        picker.answer = folder;
        exchange.importDatabase();
    }

    CommentDataSource source;
    FakeMessageBoxes messages;
    FakeDirectoryPicker picker;
    FakeProgress progress;
    CommentCommands commands;
    CommentExchange exchange;
};

// Each record's fields, its comment as plain text.
QList<QStringList> plainRecords(const CommentDatabase &db)
{
    QList<QStringList> records;
    QList<QStringList> columns;
    for (const char *field : kCommentFieldNames)
        columns << db.column(QLatin1String(field));
    for (qsizetype row = 0; row < columns[0].size(); ++row) {
        QStringList record;
        for (int field = 0; field < 5; ++field) {
            const QString value = columns[field][row] == QLatin1String("<null>") ? QString() : columns[field][row];
            record << (field == 4 ? PlainTextOfComment(value) : value);
        }
        records << record;
    }
    return records;
}

} // namespace

class TestCommentExchange : public QObject
{
    Q_OBJECT

private slots:
    void exportThenImportGivesTheSameRecords()
    {
        CommentDatabase db(awkwardRows());
        QTemporaryDir folder;
        Window window(db.path());
        window.exportTo(folder.path());
        QCOMPARE(window.picker.askedTitle, QStringLiteral("Choose Directory"));
        QCOMPARE(window.messages.kinds(), QStringList{"inform"});
        QVERIFY(window.messages.shown[0].text.contains(QLatin1String("Exported 3 comments")));

        const QByteArray csv = readFile(QDir(folder.path()).filePath("Comments.csv"));
        QVERIFY(csv.startsWith("Author,Title,Genre,File,Comment\r\n"));
        QList<QStringList> parsed;
        QString error;
        QVERIFY(ParseCsv(csv, &parsed, &error));
        QCOMPARE(parsed.mid(1), plainRecords(db));
        QCOMPARE(parsed[1][0], QStringLiteral("Brontë, Charlotte"));

        // The spreadsheet file into an empty table, twice: the second time adds nothing.
        CommentDatabase fromCsv;
        Window target(fromCsv.path());
        QFile::remove(QDir(folder.path()).filePath("db25.mdb"));
        target.importFrom(folder.path());
        QCOMPARE(target.messages.shown.last().text.section(':', -1),
                 QStringLiteral(" 3 added, 0 already present and skipped."));
        QCOMPARE(plainRecords(fromCsv), plainRecords(db));
        QCOMPARE(target.source.recordCount(), 3);
        target.exchange.importDatabase();
        QCOMPARE(target.messages.shown.last().text.section(':', -1),
                 QStringLiteral(" 0 added, 3 already present and skipped."));
    }

    void formulaFieldsAreProtectedAndComeBackExactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("equals") << "=1+2" << "'=1+2";
        QTest::newRow("plus") << "+1" << "'+1";
        QTest::newRow("minus") << "-5" << "'-5";
        QTest::newRow("at") << "@SUM(A1)" << "'@SUM(A1)";
        QTest::newRow("apostrophe") << "'quoted" << "''quoted";
        QTest::newRow("apostrophe alone") << "'" << "''";
        QTest::newRow("apostrophes and formula") << "''=x" << "'''=x";
        QTest::newRow("formula character inside") << "a=b-c" << "a=b-c";
        QTest::newRow("plain") << "plain" << "plain";
    }
    void formulaFieldsAreProtectedAndComeBackExactly()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        CommentDatabase db({{value, value, value, value, value}});
        QTemporaryDir folder;
        Window(db.path()).exportTo(folder.path());
        QList<QStringList> parsed;
        QString error;
        QVERIFY(ParseCsv(readFile(QDir(folder.path()).filePath("Comments.csv")), &parsed, &error));
        QCOMPARE(parsed.value(1), QStringList(5, written));
        QFile::remove(QDir(folder.path()).filePath("db25.mdb"));
        CommentDatabase fromCsv;
        Window(fromCsv.path()).importFrom(folder.path());
        QCOMPARE(plainRecords(fromCsv), plainRecords(db));
    }

    void spreadsheetFileThatIsNotUtf8IsReadAsWindows1252_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<bool>("legacy");
        QTest::newRow("UTF-8") << QByteArray("Bront\xC3\xAB,\xE2\x80\x9CJane\xE2\x80\x9D,G,f.epub,caf\xC3\xA9")
                               << QStringList{"Brontë", "“Jane”", "G", "f.epub", "café"} << false;
        QTest::newRow("Windows-1252") << QByteArray("Bront\xEB,\x93Jane\x94,G,f.epub,caf\xE9 \x80\x81")
                                      << QStringList{"Brontë", "“Jane”", "G", "f.epub", "café €\u0081"} << true;
    }
    void spreadsheetFileThatIsNotUtf8IsReadAsWindows1252()
    {
        QFETCH(QByteArray, record);
        QFETCH(QStringList, stored);
        QFETCH(bool, legacy);
        QTemporaryDir folder;
        writeFile(QDir(folder.path()).filePath("Comments.csv"), "Author,Title,Genre,File,Comment\r\n" + record + "\r\n");
        CommentDatabase db;
        Window window(db.path());
        window.importFrom(folder.path());
        QCOMPARE(window.messages.kinds(), QStringList{"inform"});
        QCOMPARE(window.messages.shown[0].text.contains(QLatin1String("Windows-1252")), legacy);
        QCOMPARE(plainRecords(db), QList<QStringList>{stored});
    }

    void largeImportShowsProgressAndCanBeCancelled_data()
    {
        QTest::addColumn<int>("cancelAt");
        QTest::addColumn<int>("added");
        QTest::newRow("to the end") << -1 << 1200;
        QTest::newRow("cancelled") << 2 << 0;
    }
    void largeImportShowsProgressAndCanBeCancelled()
    {
        QFETCH(int, cancelAt);
        QFETCH(int, added);
        QByteArray csv = "Author,Title,Genre,File,Comment\r\n";
        for (int i = 0; i < 1200; ++i)
            csv += "A,T,G," + QByteArray::number(i) + ".epub,c\r\n";
        QTemporaryDir folder;
        writeFile(QDir(folder.path()).filePath("Comments.csv"), csv);
        CommentDatabase db;
        Window window(db.path());
        window.progress.cancelAt = cancelAt;
        window.importFrom(folder.path());
        QCOMPARE(window.progress.maximum, 1200);
        QCOMPARE(window.progress.advances, (QList<int>{0, 500, 1000}));
        QVERIFY(window.progress.finished);
        QCOMPARE(db.column(kFile).size(), added);
        QCOMPARE(window.messages.kinds(), QStringList{cancelAt < 0 ? "inform" : "warn"});
        QVERIFY2(window.messages.shown[0].text.contains(cancelAt < 0 ? "1200 added" : "cancelled"),
                 qPrintable(window.messages.shown[0].text));
    }

    void importFromADatabaseCopyAddsOnlyWhatIsMissing()
    {
        CommentDatabase db(awkwardRows());
        QTemporaryDir folder;
        Window(db.path()).exportTo(folder.path());
        CommentDatabase other({awkwardRows()[1], fileRow("own.epub")});
        Window target(other.path());
        target.importFrom(folder.path());
        QVERIFY2(target.messages.shown.last().text.endsWith(QLatin1String("2 added, 1 already present and skipped.")),
                 qPrintable(target.messages.shown.last().text));
        QCOMPARE(other.column(kFile),
                 (QStringList{"third\"policeman\".pdf", "own.epub", "jane, eyre.epub", "ann.epub"}));
        // Formatting travels with the database copy.
        QCOMPARE(other.column(QStringLiteral("Comment"))[2], *awkwardRows()[0][4]);
        // So does a field without a value.
        QCOMPARE(other.column(QStringLiteral("Genre")).last(), QStringLiteral("<null>"));
    }

    void exportAsksBeforeReplacing_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("keep") << false;
        QTest::newRow("replace") << true;
    }
    void exportAsksBeforeReplacing()
    {
        QFETCH(bool, replace);
        CommentDatabase db(awkwardRows());
        QTemporaryDir folder;
        const QString csv = QDir(folder.path()).filePath("Comments.csv");
        QFile old(csv);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        Window window(db.path());
        window.messages.confirmations = {replace};
        window.exportTo(folder.path());
        QCOMPARE(window.messages.kinds().first(), QStringLiteral("confirm"));
        QCOMPARE(readFile(csv) == "kept", !replace);
        QCOMPARE(QFile::exists(QDir(folder.path()).filePath("db25.mdb")), replace);
    }

    void failedExportLeavesTheOldPair_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("database locked by another program") << "locked" << "locked by another program";
        QTest::newRow("disk full while the spreadsheet file is written") << "full" << "disk full";
    }
    void failedExportLeavesTheOldPair()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        // Quotes are doubled in the spreadsheet file, which so comes out larger than the copy.
        CommentDatabase db({{"A", "T", QString(40000, u'"'), "f.epub", "c"}});
        QTemporaryDir folder;
        const QDir dir(folder.path());
        writeFile(dir.filePath("db25.mdb"), "old copy");
        writeFile(dir.filePath("Comments.csv"), "old sheet");
        Window window(db.path());
        window.messages.confirmations = {true};
        {
            TestConnection otherProgram(db.path());
            if (fault == "locked")
                QVERIFY(otherProgram.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            const FileSizeLimit limit(fault == "full" ? QFileInfo(db.path()).size() + 4096 : RLIM_INFINITY);
            window.exportTo(folder.path());
        }
        QCOMPARE(window.messages.kinds(), (QStringList{"confirm", "warn"}));
        QVERIFY2(window.messages.shown[1].text.contains(reason), qPrintable(window.messages.shown[1].text));
        QCOMPARE(readFile(dir.filePath("db25.mdb")), QByteArray("old copy"));
        QCOMPARE(readFile(dir.filePath("Comments.csv")), QByteArray("old sheet"));
        QCOMPARE(namesIn(folder.path()), (QStringList{"Comments.csv", "db25.mdb"}));
    }

    void exportReplacesALinkNotWhatItPointsTo()
    {
        CommentDatabase db({fileRow("one.epub")});
        QTemporaryDir folder;
        const QString csv = QDir(folder.path()).filePath("Comments.csv");
        QVERIFY(QFile::link(db.path(), csv));
        Window window(db.path());
        window.messages.confirmations = {true};
        window.exportTo(folder.path());
        QCOMPARE(window.messages.kinds(), (QStringList{"confirm", "inform"}));
        QVERIFY(window.messages.shown[1].text.startsWith(QLatin1String("Exported 1 comment to")));
        QVERIFY(!QFileInfo(csv).isSymLink());
        QVERIFY(readFile(csv).startsWith("Author,Title,Genre,File,Comment\r\n"));
        QCOMPARE(db.column(kFile), QStringList{"one.epub"});
    }

    void nothingHappensWithoutAFolder()
    {
        CommentDatabase db(awkwardRows());
        Window window(db.path());
        window.exchange.exportDatabase();
        window.exchange.importDatabase();
        QVERIFY(window.messages.shown.isEmpty());
        QCOMPARE(db.column(kFile).size(), 3);
    }

    void refusesWhatCannotBeRight_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("reason");
        QTest::newRow("export onto itself") << "export" << QByteArray() << "in use";
        QTest::newRow("nothing to import") << "import" << QByteArray() << "neither";
        QTest::newRow("other header") << "import" << QByteArray("Name,File\r\nx,y\r\n") << "header";
        QTest::newRow("short record") << "import"
                                      << QByteArray("Author,Title,Genre,File,Comment\r\na,b,c,d,e\r\na,b\r\n")
                                      << "record 2 has 2 fields";
        QTest::newRow("open quote") << "import" << QByteArray("Author,Title,Genre,File,Comment\r\n\"a,b") << "never closed";
    }
    void refusesWhatCannotBeRight()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, csv);
        QFETCH(QString, reason);
        CommentDatabase db(awkwardRows());
        QTemporaryDir folder;
        Window window(db.path());
        window.picker.answer = command == "export" ? db.folder() : folder.path();
        if (!csv.isEmpty()) {
            QFile file(QDir(folder.path()).filePath("Comments.csv"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(csv);
        }
        if (command == "export")
            window.exchange.exportDatabase();
        else
            window.exchange.importDatabase();
        QCOMPARE(window.messages.kinds(), QStringList{"warn"});
        QVERIFY2(window.messages.shown[0].text.contains(reason), qPrintable(window.messages.shown[0].text));
        QCOMPARE(db.column(kFile).size(), 3);
    }

private:
    const QString kFile = QStringLiteral("File");
};

QTEST_MAIN(TestCommentExchange)
#include "test_comment_exchange.moc"
