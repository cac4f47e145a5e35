#include "comments/comment_fixture.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList &arguments, const QByteArray &input)
{
    QProcess tool;
    tool.start(QDir(qEnvironmentVariable("SHELVANA_BUILD_DIR")).filePath("shelvana-names"), arguments);
    if (!tool.waitForStarted())
        return {};
    tool.write(input);
    tool.closeWriteChannel();
    tool.waitForFinished(30000);
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

} // namespace

class TestNamesTool : public QObject
{
    Q_OBJECT

private slots:
    void analysesEachLineCarryingFieldsOver()
    {
        const QByteArray input = "/home/ann/Books/Isaac Asimov - Foundation.pdf\n"
                                 "/home/ann/Books/Asimov-.txt\r\n"
                                 "\n"
                                 "/home/ann/Books/Isaac Asimov/The Asimov Collection.txt\n";
        const ToolRun run = RunTool({}, input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("Isaac Asimov - Foundation.pdf\tIsaac Asimov\tFoundation\tgrey\n"
                                  "Asimov-.txt\tAsimov\tFoundation\tgrey\n"
                                  "Asimov-.txt\tAsimov\tFoundation\tgrey\n"
                                  "The Asimov Collection.txt\tAsimov\tThe  Collection\tgrey\n"));
        QVERIFY(run.err.isEmpty());
    }

    void keepsNonAsciiFileNames()
    {
        const ToolRun run = RunTool({}, QStringLiteral("/b/Émile Zola - Nana.epub\n").toUtf8());
        QCOMPARE(run.out, QStringLiteral("Émile Zola - Nana.epub\tÉmile Zola\tNana\tgrey\n"));
    }

    // A tab in a name would add a field: it is shown as \t, and a backslash as \\.
    void escapesTabsAndBackslashesInFields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownFile");
        QTest::newRow("tab") << "Tom\tJerry - Tales.txt" << "Tom\\tJerry - Tales.txt";
        QTest::newRow("backslash") << "Back\\slash - Tales.txt" << "Back\\\\slash - Tales.txt";
        QTest::newRow("backslash before t") << "a\\t - b.txt" << "a\\\\t - b.txt";
    }
    void escapesTabsAndBackslashesInFields()
    {
        QFETCH(QString, name);
        QFETCH(QString, shownFile);
        const ToolRun run = RunTool({}, ("/b/" + name + "\n").toUtf8());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith('\n'));
        const QStringList fields = run.out.chopped(1).split('\t');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[0], shownFile);
        QCOMPARE(fields[3], QString("grey"));
    }

    // The book's own author and title follow as two more fields, escaped like the others;
    // a file that says nothing (or is not there) gives two empty fields.
    void embeddedAddsTheBooksOwnAuthorAndTitle()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath("Unknown - Scan.fb2");
        QFile file(book);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\"><description><title-info>"
                   "<author><first-name>Émile</first-name><last-name>Zola</last-name></author>"
                   "<author><nickname>Back\\slash</nickname></author>"
                   "<book-title>Nana</book-title></title-info></description></FictionBook>\n");
        file.close();
        const QString missing = dir.filePath("Isaac Asimov - Foundation.epub");
        const ToolRun run = RunTool({"--embedded"}, (book + "\n" + missing + "\n").toUtf8());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("Unknown - Scan.fb2\tUnknown\tScan\tgrey\tÉmile Zola & Back\\\\slash\tNana\n"
                                         "Isaac Asimov - Foundation.epub\tIsaac Asimov\tFoundation\tgrey\t\t\n"));
    }

    void missingDatabaseFailsClearly()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("db25.mdb");
        const ToolRun run = RunTool({missing}, "/b/a.txt\n");
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("shelvana-names: ") && run.err.contains(missing), qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));
    }

    void indicatorReflectsTheDatabase()
    {
        const CommentDatabase comments({fileRow("O'Brien - Tales.txt"), fileRow("asimov - foundation.pdf")});
        const QString database = comments.path();
        const ToolRun run = RunTool({database}, "/b/O'Brien - Tales.txt\n"
                                                "/b/Asimov - Foundation.pdf\n"
                                                "/b/Unknown - Book.txt\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("O'Brien - Tales.txt\tO' Brien\tTales\tgreen\n"
                                  "Asimov - Foundation.pdf\tAsimov\tFoundation\tgrey\n"
                                  "Unknown - Book.txt\tUnknown\tBook\tgrey\n"));
    }

    void unreadableDatabaseFailsClearly()
    {
        QTemporaryDir dir;
        const QString junk = dir.filePath("db25.mdb");
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        const ToolRun run = RunTool({junk}, "/b/a.txt\n");
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("shelvana-names: ") && run.err.contains(junk), qPrintable(run.err));
    }

    void tooManyArgumentsShowUsage()
    {
        const ToolRun run = RunTool({"--embedded", "a", "b"}, "");
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Usage: shelvana-names [--embedded] [DATABASE]"));
    }
};

QTEST_GUILESS_MAIN(TestNamesTool)
#include "test_names_tool.moc"
