#include "base/path_routines.h"
#include "fakes/fake_directory_lister.h"
#include "lists/list_run.h"
#include "lists/list_writer.h"

#include <QTest>

namespace {

// Records every call into a log shared by all writers, tagged with the writer's name.
class RecordingWriter final : public ListWriter
{
public:
    RecordingWriter(const QString &name, QStringList &log) : name_(name), log_(log) {}

    bool failOpen = false;
    bool failClose = false;
    bool failReplace = false;

    bool openList(const QString &listDirectory, const QString &title, const QString &top) override
    {
        log_ << QStringLiteral("%1 open %2|%3|%4").arg(name_, listDirectory, title, top);
        return !failOpen;
    }
    void startDirectory(const QString &directory, int count) override
    {
        log_ << QStringLiteral("%1 start %2 %3").arg(name_, directory).arg(count);
    }
    void listFile(const QString &directory, const QString &file) override
    {
        log_ << QStringLiteral("%1 file %2 %3").arg(name_, directory, file);
    }
    void endDirectory(const QString &directory, int count) override
    {
        log_ << QStringLiteral("%1 end %2 %3").arg(name_, directory).arg(count);
    }
    bool closeList(qint32 files, qint32 directories, const QString &title) override
    {
        log_ << QStringLiteral("%1 close %2 %3 %4").arg(name_).arg(files).arg(directories).arg(title);
        return !failClose;
    }
    bool replaceOldList() override
    {
        log_ << name_ + QStringLiteral(" replace");
        return !failReplace;
    }
    void restoreOldList() override { log_ << name_ + QStringLiteral(" restore"); }
    void dropOldList() override { log_ << name_ + QStringLiteral(" drop"); }
    void abandon() override { log_ << name_ + QStringLiteral(" abandon"); }
    QString errorString() const override { return name_ + QStringLiteral(" failed"); }

private:
    QString name_;
    QStringList &log_;
};

class Progress final : public ListRunProgress
{
public:
    QStringList found;
    QStringList totals;
    int pumps = 0;
    int cancelAtPump = -1;
    bool pump() override { return ++pumps != cancelAtPump; }
    void fileFound(const QString &directory, const QString &file) override
    {
        found << PathRoutines::JoinPath(directory, file);
    }
    void totalsChanged(qint32 files, qint32 directories) override
    {
        totals << QStringLiteral("%1/%2").arg(files).arg(directories);
    }
};

ListRunInputs inputsFor(const QString &top)
{
    ListRunInputs inputs;
    inputs.topDirectory = top;
    inputs.listDirectory = QStringLiteral("/lists/");
    inputs.title = QStringLiteral("T");
    return inputs;
}

// Visit order as seen by the writers' start calls.
QStringList startedDirectories(const QStringList &log)
{
    QStringList started;
    for (const QString &line : log) {
        if (line.startsWith(QLatin1String("w start ")))
            started << line.section(QLatin1Char(' '), 2, 2);
    }
    return started;
}

FakeDirectoryLister abcTree()
{
    FakeDirectoryLister lister;
    lister.addDirectory("/top", {"t.txt"});
    lister.addDirectory("/top/A");
    lister.addDirectory("/top/B", {"b.txt"});
    lister.addDirectory("/top/C");
    lister.addDirectory("/top/A/A1", {"a1.txt", "a2.txt"});
    lister.addDirectory("/top/B/B1");
    return lister;
}

} // namespace

class TestListRun : public QObject
{
    Q_OBJECT

private slots:
    void walksBreadthFirst_data()
    {
        QTest::addColumn<QString>("top");
        QTest::newRow("plain") << "/top";
        QTest::newRow("trailing separator") << "/top/";
        QTest::newRow("two trailing separators") << "/top//";
        QTest::newRow("doubled separator") << "//top";
    }
    void walksBreadthFirst()
    {
        QFETCH(QString, top);
        FakeDirectoryLister lister = abcTree();
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor(top), lister, {&writer}, progress);
        QVERIFY(result.succeeded());
        QCOMPARE(startedDirectories(log),
                 QStringList({"/top", "/top/A", "/top/B", "/top/C", "/top/A/A1", "/top/B/B1"}));
        QCOMPARE(result.directories, 5);
        QCOMPARE(result.files, 4);
        // The writers get the top directory as the walk uses it.
        QCOMPARE(log.first(), QString("w open /lists/|T|/top"));
        QCOMPARE(log.mid(log.size() - 3), QStringList({"w close 4 5 T", "w replace", "w drop"}));
        QCOMPARE(progress.found, QStringList({"/top/t.txt", "/top/B/b.txt", "/top/A/A1/a1.txt", "/top/A/A1/a2.txt"}));
        QCOMPARE(progress.totals, QStringList({"1/3", "1/4", "2/5", "2/5", "4/5", "4/5"}));
    }

    void callsEachDirectoryInOrder()
    {
        FakeDirectoryLister lister;
        lister.addDirectory("/top", {"x", "y"});
        lister.addDirectory("/top/Empty");
        QStringList log;
        RecordingWriter table("table", log), text("text", log);
        Progress progress;
        QVERIFY(MakeListRun(inputsFor("/top"), lister, {&table, &text}, progress).succeeded());
        const QStringList expected{
            "table open /lists/|T|/top", "text open /lists/|T|/top",
            "table start /top 2", "text start /top 2",
            "table file /top x", "text file /top x",
            "table file /top y", "text file /top y",
            "table end /top 2", "text end /top 2",
            "table start /top/Empty 0", "text start /top/Empty 0",
            "table end /top/Empty 0", "text end /top/Empty 0",
            "table close 2 1 T", "text close 2 1 T",
            "table replace", "text replace", "table drop", "text drop",
        };
        QCOMPARE(log, expected);
    }

    void topWithoutSubdirectoriesCountsNone()
    {
        FakeDirectoryLister lister;
        lister.addDirectory("/top", {"a"});
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {}, progress);
        QVERIFY(result.succeeded());
        QCOMPARE(result.directories, 0);
        QCOMPARE(result.files, 1);
    }

    void rootAsTopJoinsWithOneSeparator()
    {
        FakeDirectoryLister lister;
        lister.addDirectory("/", {"x.txt"});
        lister.addDirectory("/sub", {"y.txt"});
        Progress progress;
        QVERIFY(MakeListRun(inputsFor("/"), lister, {}, progress).succeeded());
        QCOMPARE(progress.found, QStringList({"/x.txt", "/sub/y.txt"}));
    }

    void refusesWithoutAFolder_data()
    {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("lists");
        QTest::addColumn<QString>("error");
        QTest::newRow("no top directory") << "" << "/lists/" << "No e-book directory";
        QTest::newRow("no list folder") << "/top" << "" << "No list folder is chosen";
    }
    void refusesWithoutAFolder()
    {
        QFETCH(QString, top);
        QFETCH(QString, lists);
        QFETCH(QString, error);
        FakeDirectoryLister lister = abcTree();
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        ListRunInputs inputs = inputsFor(top);
        inputs.listDirectory = lists;
        const ListRunResult result = MakeListRun(inputs, lister, {&writer}, progress);
        QVERIFY(!result.succeeded());
        QVERIFY2(result.error.contains(error), qPrintable(result.error));
        QVERIFY(log.isEmpty());
    }

    // With every list switched off nothing is written, so no list folder is needed.
    void walksWithoutListFolderWhenNoListIsOn()
    {
        FakeDirectoryLister lister = abcTree();
        Progress progress;
        ListRunInputs inputs = inputsFor("/top");
        inputs.listDirectory.clear();
        const ListRunResult result = MakeListRun(inputs, lister, {}, progress);
        QVERIFY(result.succeeded());
        QCOMPARE(result.files, 4);
    }

    void unreadableTopOpensNoList()
    {
        FakeDirectoryLister lister;
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/missing"), lister, {&writer}, progress);
        QVERIFY(result.error.contains("/missing"));
        QVERIFY(log.isEmpty());
    }

    void failedOpenAbandonsEveryWriter()
    {
        FakeDirectoryLister lister = abcTree();
        QStringList log;
        RecordingWriter table("table", log), text("text", log);
        text.failOpen = true;
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {&table, &text}, progress);
        QCOMPARE(result.error, QString("text failed"));
        QVERIFY(log.contains("table abandon"));
        QVERIFY(log.contains("text abandon"));
        QVERIFY(startedDirectories(log).isEmpty());
    }

    // All lists or none: when a list cannot be completed or put in place, every old
    // list stays (or is put back) in place.
    void failureReplacesNoList_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("ending");
        QTest::newRow("a list cannot be completed")
            << "text close" << QStringList({"text close 4 5 T", "table abandon", "text abandon", "tree abandon"});
        QTest::newRow("a list cannot be put in place")
            << "tree replace" << QStringList({"tree replace", "text restore", "table restore", "table abandon",
                                              "text abandon", "tree abandon"});
    }
    void failureReplacesNoList()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, ending);
        FakeDirectoryLister lister = abcTree();
        QStringList log;
        RecordingWriter table("table", log), text("text", log), tree("tree", log);
        text.failClose = failing == "text close";
        tree.failReplace = failing == "tree replace";
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {&table, &text, &tree}, progress);
        QCOMPARE(result.error, failing.section(' ', 0, 0) + " failed");
        QCOMPARE(log.mid(log.size() - ending.size()), ending);
        QVERIFY(!log.contains("table drop"));
    }

    void skipsUnreadableDirectories()
    {
        FakeDirectoryLister lister = abcTree();
        lister.unreadable.insert("/top/A");
        lister.unreadable.insert("/top/B");
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {&writer}, progress);
        QVERIFY(result.succeeded());
        QCOMPARE(result.skippedDirectories, 2);
        QCOMPARE(startedDirectories(log), QStringList({"/top", "/top/C"}));
        QCOMPARE(result.files, 1);
        QCOMPARE(result.directories, 3);
    }

    void walksADirectoryReachedTwiceOnce()
    {
        FakeDirectoryLister lister;
        lister.addDirectory("/top", {"a"});
        lister.addDirectory("/top/real", {"r"});
        lister.addDirectory("/top/real/loop");     // links back to the top
        lister.addDirectory("/top/zlink");         // a second way into /top/real
        lister.sameAs.insert("/top/real/loop", "/top");
        lister.sameAs.insert("/top/zlink", "/top/real");
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {&writer}, progress);
        QVERIFY(result.succeeded());
        QCOMPARE(startedDirectories(log), QStringList({"/top", "/top/real"}));
        QCOMPARE(result.directories, 1);
    }

    void cancelAbandonsLists()
    {
        FakeDirectoryLister lister = abcTree();
        QStringList log;
        RecordingWriter writer("w", log);
        Progress progress;
        progress.cancelAtPump = 12;
        const ListRunResult result = MakeListRun(inputsFor("/top"), lister, {&writer}, progress);
        QVERIFY(result.cancelled);
        QVERIFY(!result.succeeded());
        QCOMPARE(log.last(), QString("w abandon"));
        QVERIFY(!log.contains("w replace"));
    }

    void readsSwitchesAsNonZero()
    {
        Settings settings;
        settings.ConfigTextList = 2;
        settings.configTableList = 0;
        settings.ConfigTreeViewList = -1;
        const ListRunInputs inputs = ListRunInputs::fromSettings(settings);
        QVERIFY(inputs.textList);
        QVERIFY(!inputs.tableList);
        QVERIFY(inputs.treeList);
    }
};

QTEST_GUILESS_MAIN(TestListRun)
#include "test_list_run.moc"
