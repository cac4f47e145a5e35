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
        QCOMPARE(run.out, QStringLiteral("Émile Zola - Nana.epub\tMile Zola\tNana\tgrey\n"));
    }

    void missingDatabaseFailsClearly()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("db25.mdb");
        const ToolRun run = RunTool({missing}, "/b/a.txt\n");
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains("cannot open database") && run.err.contains(missing), qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));
    }

    void tooManyArgumentsShowUsage()
    {
        const ToolRun run = RunTool({"a", "b"}, "");
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("Usage: shelvana-names [DATABASE]"));
    }
};

QTEST_GUILESS_MAIN(TestNamesTool)
#include "test_names_tool.moc"
