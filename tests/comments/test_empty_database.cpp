#include "comment_fixture.h"
#include "comments/comment_data_source.h"

#include <QProcess>
#include <QTest>

namespace {

QString buildFile(const QString &name)
{
    return qEnvironmentVariable("SHELVANA_BUILD_DIR") + QLatin1Char('/') + name;
}

int runEmptyDatabaseTool(const QString &target)
{
    QProcess tool;
    tool.start(buildFile(QStringLiteral("shelvana-empty-db")), {target});
    if (!tool.waitForFinished(30000))
        return -1;
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

} // namespace

class TestEmptyDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("SHELVANA_BUILD_DIR"))
            QSKIP("run through ctest, which tells where the build is");
    }

    void buildPutsADatabaseBesideTheProgram()
    {
        CommentDataSource source(buildFile(QStringLiteral("db25.mdb")));
        QVERIFY2(source.open(), qPrintable(source.errorString()));
    }

    void madeWhereMissingAndNeverReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db25.mdb"));
        QCOMPARE(runEmptyDatabaseTool(path), 0);
        {
            CommentDataSource source(path);
            QVERIFY2(source.open(), qPrintable(source.errorString()));
            QCOMPARE(source.recordCount(), 0);
            QVERIFY(source.addNew());
            QVERIFY(source.setValue(QStringLiteral("File"), QStringLiteral("kept.epub")));
            QVERIFY(source.updateBatch());
        }
        QCOMPARE(runEmptyDatabaseTool(path), 0);
        QCOMPARE(TestConnection(path).column(QStringLiteral("SELECT File FROM Table1")), QStringList{"kept.epub"});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"db25.mdb"});
    }
};

QTEST_GUILESS_MAIN(TestEmptyDatabase)
#include "test_empty_database.moc"
