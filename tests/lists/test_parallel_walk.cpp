// The walk reads directories ahead on several threads: the lists must come out byte for
// byte as they do when one directory is read after another, whatever order the answers
// arrive in, and a cancel must not wait for a share that does not answer.
#include "fakes/fake_directory_lister.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"
#include "support/test_files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

const QStringList kListNames{"EBook.txt", "EBook.html", "EBookTree.html"};

// Answers through another lister after a random wait of up to two milliseconds, so that
// reads in flight together finish in a shuffled order.
class ShufflingLister final : public DirectoryLister
{
public:
    explicit ShufflingLister(DirectoryLister &real) : real_(real) {}

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override
    {
        std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(2000)));
        return real_.readDirectory(directory);
    }

private:
    DirectoryLister &real_;
};

// A share that stops answering: every read after the first few waits until the run is
// abandoned (or ten seconds, so a broken cancel fails the test rather than hanging it).
class StalledLister final : public DirectoryLister
{
public:
    explicit StalledLister(DirectoryLister &real) : real_(real) {}

    std::atomic_int stalled = 0;

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override
    {
        if (reads_++ < 3)
            return real_.readDirectory(directory);
        ++stalled;
        std::unique_lock lock(mutex_);
        interrupted_.wait_for(lock, std::chrono::seconds(10), [this] { return interrupt_; });
        return std::nullopt;
    }

    void interrupt() override
    {
        {
            const std::lock_guard lock(mutex_);
            interrupt_ = true;
        }
        interrupted_.notify_all();
    }

private:
    DirectoryLister &real_;
    std::atomic_int reads_ = 0;
    std::mutex mutex_;
    std::condition_variable interrupted_;
    bool interrupt_ = false;
};

// Cancels as soon as a read hangs on the stalled share.
class CancelWhenStalled final : public ListRunProgress
{
public:
    explicit CancelWhenStalled(const StalledLister &lister) : lister_(lister) {}
    QElapsedTimer sinceCancel;

    bool pump() override
    {
        if (lister_.stalled == 0)
            return true;
        if (!sinceCancel.isValid())
            sinceCancel.start();
        return false;
    }

private:
    const StalledLister &lister_;
};

// A generated tree wide and deep enough that reads overlap, plus the hard cases: names
// that need escaping, names that were not UTF-8 on disk, links back into the tree, and
// directories that cannot be read or are gone by the time they are read.
FakeDirectoryLister awkwardTree()
{
    FakeDirectoryLister tree;
    tree.addDirectory("/top", {"a.txt", "B.txt", "b.txt"});
    for (int author = 0; author < 12; ++author) {
        const QString folder = QStringLiteral("/top/Author %1").arg(author);
        tree.addDirectory(folder, {QStringLiteral("Book %1.epub").arg(author)});
        for (int series = 0; series < author % 4; ++series) {
            tree.addDirectory(QStringLiteral("%1/Series %2").arg(folder).arg(series),
                              {QStringLiteral("Part %1.pdf").arg(series), QStringLiteral("Part %1.txt").arg(series)});
        }
    }
    tree.addDirectory("/top/Tom's <b>&amp; \"Jerry\"", {"It's <i>.txt", "R&D & more&.txt", "</script>.txt"});
    tree.addDirectory(QStringLiteral("/top/Caf\uFFFD"), {QStringLiteral("\uFFFDmile Zola.txt"), "plain.txt"});
    tree.addDirectory("/top/Author 3/loop", {"never listed.txt"});
    tree.sameAs.insert("/top/Author 3/loop", "/top");
    tree.addDirectory("/top/Author 9/again", {"listed once.txt"});
    tree.sameAs.insert("/top/Author 9/again", "/top/Author 2");
    tree.addDirectory("/top/Locked", {"secret.txt"});
    tree.unreadable.insert("/top/Locked");
    tree.addDirectory("/top/Author 5/Series 0/Gone", {"vanished.txt"});
    tree.files.remove("/top/Author 5/Series 0/Gone"); // listed by its parent, gone when read
    return tree;
}

struct Run
{
    ListRunResult result;
    QList<QByteArray> lists;
};

} // namespace

class TestParallelWalk : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir work_;
    QString script_;

    QString listFolder(const QString &name)
    {
        const QString folder = work_.filePath(name) + "/";
        QDir().mkpath(folder);
        return folder;
    }

    Run run(DirectoryLister &lister, const QString &top, int readsInFlight, const QString &folder)
    {
        ListRunInputs inputs;
        inputs.topDirectory = top;
        inputs.listDirectory = folder;
        inputs.title = "Parallel";
        inputs.tableList = inputs.textList = inputs.treeList = true;
        inputs.readsInFlight = readsInFlight;
        ListRunProgress quiet;
        Run run{PerformListRun(inputs, script_, lister, quiet), {}};
        for (const QString &name : kListNames)
            run.lists << ReadTestFile(folder + name);
        return run;
    }

    void compareWithOneAtATime(DirectoryLister &real, const QString &top)
    {
        QFETCH(int, readsInFlight);
        const Run expected = run(real, top, 1, listFolder("one at a time"));
        QVERIFY(expected.result.succeeded());
        ShufflingLister shuffled(real);
        const Run parallel = run(shuffled, top, readsInFlight, listFolder("parallel"));
        QVERIFY(parallel.result.succeeded());
        QCOMPARE(parallel.result.files, expected.result.files);
        QCOMPARE(parallel.result.directories, expected.result.directories);
        QCOMPARE(parallel.result.skippedDirectories, expected.result.skippedDirectories);
        for (qsizetype i = 0; i < kListNames.size(); ++i)
            QVERIFY2(parallel.lists[i] == expected.lists[i], qPrintable(kListNames[i]));
    }

    void addReadsInFlight()
    {
        QTest::addColumn<int>("readsInFlight");
        for (int reads : {1, 2, 16})
            QTest::addRow("%d in flight", reads) << reads;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work_.isValid());
        script_ = work_.filePath("Script.txt");
        WriteTestFile(script_, "function Folder(n, o) {}\r\n// basefolder\r\n");
    }

    void sameListsAsOneReadAtATime_data() { addReadsInFlight(); }
    void sameListsAsOneReadAtATime()
    {
        FakeDirectoryLister tree = awkwardTree();
        compareWithOneAtATime(tree, "/top/");
        QCOMPARE(run(tree, "/top", 1, listFolder("check")).result.skippedDirectories, 2);
    }

    // The same on disk: names that are not UTF-8, a link loop, a folder that cannot be read.
    void sameListsOnDisk_data() { addReadsInFlight(); }
    void sameListsOnDisk()
    {
        if (::geteuid() == 0)
            QSKIP("a folder without permissions can still be read as root");
        const QString top = work_.filePath("disk");
        for (const char *file : {"a.txt", "Tom & Jerry/x.txt", "SF/b.txt", "SF/Deep/c.txt", "Locked/d.txt",
                                 "Caf\xe9/\xc9mile.txt", "Caf\xe9/plain.txt"})
            WriteTestFile(QFile::decodeName(QFile::encodeName(top) + "/" + file));
        QFile::link(top, top + "/SF/back to top");
        QFile(top + "/Locked").setPermissions({});
        FileSystemLister disk;
        compareWithOneAtATime(disk, top);
        QFile(top + "/Locked").setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Reads hang on the share when the user cancels: the run ends at once, the earlier
    // lists stay whole and no draft is left beside them.
    void cancelDoesNotWaitForTheShare()
    {
        const QString folder = listFolder("cancelled");
        for (const QString &name : kListNames)
            WriteTestFile(folder + name, "earlier");
        FakeDirectoryLister tree = awkwardTree();
        StalledLister stalled(tree);
        ListRunInputs inputs;
        inputs.topDirectory = "/top";
        inputs.listDirectory = folder;
        inputs.tableList = inputs.textList = inputs.treeList = true;
        CancelWhenStalled progress(stalled);
        const ListRunResult result = PerformListRun(inputs, script_, stalled, progress);
        QVERIFY(result.cancelled);
        QVERIFY(progress.sinceCancel.isValid());
        // Far below the ten seconds a stalled read would take without the interrupt.
        QVERIFY2(progress.sinceCancel.elapsed() < 2000, qPrintable(QString::number(progress.sinceCancel.elapsed())));
        for (const QString &name : kListNames)
            QCOMPARE(ReadTestFile(folder + name), QByteArray("earlier"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestParallelWalk)
#include "test_parallel_walk.moc"
