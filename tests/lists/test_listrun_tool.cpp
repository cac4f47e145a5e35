#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("SHELVANA_BUILD_DIR") + "/shelvana-listrun", arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestListRunTool : public QObject
{
    Q_OBJECT

private slots:
    void printsTotalsAndWritesLists()
    {
        QTemporaryDir dir;
        WriteTestFile(dir.filePath("books/a.txt"));
        WriteTestFile(dir.filePath("books/SF/b.txt"));
        WriteTestFile(dir.filePath("books/SF/c.txt"));
        QDir().mkpath(dir.filePath("lists"));
        const QByteArray settings = dir.filePath("books").toUtf8() + "/\r\n" + dir.filePath("lists").toUtf8()
                                    + "/\r\n 1 \r\n 1 \r\n 1 \r\nTitle\r\n 0 \r\n";
        WriteTestFile(dir.filePath("Path.txt"), settings);

        const ToolRun run = runTool({dir.filePath("Path.txt")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Files = 3\nDirectories = 1\n"));
        QVERIFY(QFile::exists(dir.filePath("lists/EBookTree.html")));
    }

    void linkLoopEndsAndIsWalkedOnce()
    {
        QTemporaryDir dir;
        WriteTestFile(dir.filePath("books/a.txt"));
        WriteTestFile(dir.filePath("books/SF/b.txt"));
        QVERIFY(QFile::link(dir.filePath("books"), dir.filePath("books/SF/back to top")));
        QVERIFY(QFile::link(dir.filePath("books/SF"), dir.filePath("books/SF again")));
        QDir().mkpath(dir.filePath("lists"));
        WriteTestFile(dir.filePath("Path.txt"), dir.filePath("books").toUtf8() + "/\r\n" + dir.filePath("lists").toUtf8()
                                                    + "/\r\n 1 \r\n 0 \r\n 0 \r\nT\r\n 0 \r\n");
        const ToolRun run = runTool({dir.filePath("Path.txt")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Files = 2\nDirectories = 1\n"));
    }

    void failsWithAReason_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no settings file") << QByteArray() << "settings file";
        QTest::newRow("empty top directory") << QByteArray("\r\n/tmp/\r\n 1 \r\n 0 \r\n 0 \r\nT\r\n 0 \r\n")
                                             << "No e-book directory";
        QTest::newRow("missing top directory")
            << QByteArray("/no/such/books/\r\n/tmp/\r\n 1 \r\n 0 \r\n 0 \r\nT\r\n 0 \r\n") << "/no/such/books";
    }
    void failsWithAReason()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        if (!settings.isEmpty())
            WriteTestFile(dir.filePath("Path.txt"), settings);
        const ToolRun run = runTool({dir.filePath("Path.txt")});
        QVERIFY(run.exitCode != 0);
        QVERIFY2(QString::fromUtf8(run.err).contains(reason), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestListRunTool)
#include "test_listrun_tool.moc"
