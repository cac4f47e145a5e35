#include "comment_fixture.h"
#include "comments/comment_data_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

QString buildFile(const QString &name)
{
    return qEnvironmentVariable("SHELVANA_BUILD_DIR") + QLatin1Char('/') + name;
}

// The tool's exit code (-1 when it crashed or hung); what it said goes to messages.
int runEmptyDatabaseTool(const QString &target, QString *messages = nullptr)
{
    QProcess tool;
    tool.start(buildFile(QStringLiteral("shelvana-empty-db")), {target});
    if (!tool.waitForFinished(30000))
        return -1;
    if (messages)
        *messages = QString::fromLocal8Bit(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
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

    void filesBesideTheTargetAreLeftAlone_data()
    {
        QTest::addColumn<QString>("neighbour");
        QTest::newRow("the old draft name") << "db25.mdb.new";
        QTest::newRow("a draft-like name") << "db25.mdb.new-AAAAAA";
        QTest::newRow("a journal name") << "db25.mdb-journal";
    }
    void filesBesideTheTargetAreLeftAlone()
    {
        QFETCH(QString, neighbour);
        QTemporaryDir dir;
        writeFile(dir.filePath(neighbour), "the user's own file");
        QCOMPARE(runEmptyDatabaseTool(dir.filePath(QStringLiteral("db25.mdb"))), 0);
        QFile kept(dir.filePath(neighbour));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("the user's own file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"db25.mdb", neighbour}));
        CommentDataSource source(dir.filePath(QStringLiteral("db25.mdb")));
        QVERIFY2(source.open(), qPrintable(source.errorString()));
    }

    void failuresAreSaid_data()
    {
        QTest::addColumn<QString>("target"); // in the temporary folder
        QTest::addColumn<QString>("linkTo"); // empty: no link
        QTest::addColumn<QString>("said");
        QTest::newRow("dangling link") << "db25.mdb" << "/nonexistent/db25.mdb" << "does not exist";
        QTest::newRow("missing folder") << "gone/db25.mdb" << "" << "gone/db25.mdb";
    }
    void failuresAreSaid()
    {
        QFETCH(QString, target);
        QFETCH(QString, linkTo);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        if (!linkTo.isEmpty())
            QVERIFY(QFile::link(linkTo, path));
        QString messages;
        QCOMPARE(runEmptyDatabaseTool(path, &messages), 1);
        QVERIFY2(messages.contains(said), qPrintable(messages));
        if (!linkTo.isEmpty())
            QCOMPARE(QFileInfo(path).symLinkTarget(), linkTo);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System), linkTo.isEmpty() ? QStringList() : QStringList{target});
    }
};

QTEST_GUILESS_MAIN(TestEmptyDatabase)
#include "test_empty_database.moc"
