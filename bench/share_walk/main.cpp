// bench_share_walk [SLOWFS_SCRIPT]
// The list run on a share that takes a while to answer each call. First over a lister
// that waits 1 ms per directory, one read at a time against 16 in flight. Then, where
// the machine can mount a FUSE file system, over a passthrough that waits 1 ms on every
// call (the slowfs script beside the project), against fdfind -u -j16 on the same mount.
#include "common/synthetic_tree.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>
#include <thread>
#include <sys/stat.h>

namespace {

const QString kBenchDir = QStringLiteral(SHELVANA_BUILD_DIR "/bench/share_walk");
const QString kScript = QStringLiteral(SHELVANA_BUILD_DIR "/Script.txt");

// A tree in memory whose every read waits as a share would.
class SlowMemoryLister final : public DirectoryLister
{
public:
    SlowMemoryLister(int authors, int seriesPerAuthor, int filesPerFolder)
    {
        add(QStringLiteral("/share"), seriesPerAuthor > 0 ? authors : 0, filesPerFolder);
        for (int a = 0; a < authors; ++a) {
            const QString author = QStringLiteral("/share/Author %1").arg(a, 3, 10, QLatin1Char('0'));
            add(author, seriesPerAuthor, filesPerFolder);
            for (int s = 0; s < seriesPerAuthor; ++s)
                add(QStringLiteral("%1/Series %2").arg(author).arg(s, 3, 10, QLatin1Char('0')), 0, filesPerFolder);
        }
    }

    qsizetype folders() const { return tree_.size(); }

    std::optional<DirectoryEntries> readDirectory(const DirectoryPath &directory) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto found = tree_.constFind(directory.path);
        if (found == tree_.cend())
            return std::nullopt;
        return *found;
    }

private:
    void add(const QString &path, int children, int files)
    {
        DirectoryEntries entries{path, {}, {}};
        const QString childName = path == QLatin1String("/share") ? QStringLiteral("/Author %1") : QStringLiteral("/Series %1");
        for (int c = 0; c < children; ++c)
            entries.subdirectories.append(DirectoryPath(path + childName.arg(c, 3, 10, QLatin1Char('0'))));
        for (int f = 0; f < files; ++f)
            entries.files << QStringLiteral("Book %1.epub").arg(f);
        tree_.insert(path, entries);
    }

    QHash<QString, DirectoryEntries> tree_;
};

double timedListRun(const QString &top, DirectoryLister &lister, int readsInFlight)
{
    ListRunInputs inputs;
    inputs.topDirectory = top;
    inputs.listDirectory = kBenchDir + QStringLiteral("/lists");
    inputs.title = QStringLiteral("Share");
    inputs.tableList = inputs.textList = inputs.treeList = true;
    inputs.readsInFlight = readsInFlight;
    QDir().mkpath(inputs.listDirectory);
    ListRunProgress quiet;
    QElapsedTimer timer;
    timer.start();
    const ListRunResult result = PerformListRun(inputs, kScript, lister, quiet);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!result.succeeded()) {
        std::fprintf(stderr, "list run failed: %s\n", qPrintable(result.error));
        std::exit(1);
    }
    return seconds;
}

void simulatedShare()
{
    SlowMemoryLister share(60, 50, 5);
    std::printf("simulated share, 1 ms per directory read, %lld folders:\n", static_cast<long long>(share.folders()));
    const double sequential = timedListRun(QStringLiteral("/share"), share, 1);
    const double parallel = timedListRun(QStringLiteral("/share"), share, 16);
    std::printf("  one read at a time   %7.3f s\n  16 reads in flight   %7.3f s\n", sequential, parallel);
    std::printf("  ratio one at a time / 16 in flight: %.1f (goal at least 6)\n", sequential / parallel);
}

// Why the FUSE half cannot run here, or nothing when it can.
QString fuseMissing(const QString &slowfs)
{
    if (!QFileInfo(QStringLiteral("/dev/fuse")).isWritable())
        return QStringLiteral("/dev/fuse cannot be used");
    if (!QFileInfo::exists(slowfs))
        return QStringLiteral("%1 is missing").arg(slowfs);
    for (const char *tool : {"fusermount3", "fdfind"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
    }
    if (QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import fusepy")}) != 0)
        return QStringLiteral("python3-fusepy is not installed");
    return {};
}

bool isMounted(const QString &mountPoint)
{
    struct stat inside {}, parent {};
    return ::stat(QFile::encodeName(mountPoint).constData(), &inside) == 0
           && ::stat(QFile::encodeName(mountPoint + QStringLiteral("/..")).constData(), &parent) == 0
           && inside.st_dev != parent.st_dev;
}

// The slow file system over a source folder, unmounted again when this goes.
class SlowMount
{
public:
    SlowMount(const QString &slowfs, const QString &source, const QString &mountPoint) : mountPoint_(mountPoint)
    {
        QDir().mkpath(mountPoint);
        if (isMounted(mountPoint))
            unmount(); // left by an interrupted benchmark
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(QStringLiteral("/usr/bin/python3"), {slowfs, source, mountPoint, QStringLiteral("1")});
        QElapsedTimer waited;
        waited.start();
        while (!isMounted(mountPoint) && waited.elapsed() < 10000 && server_.state() != QProcess::NotRunning)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~SlowMount()
    {
        unmount();
        if (!server_.waitForFinished(5000)) {
            server_.kill();
            server_.waitForFinished(2000);
        }
    }
    SlowMount(const SlowMount &) = delete;
    SlowMount &operator=(const SlowMount &) = delete;

    bool mounted() const { return isMounted(mountPoint_); }

private:
    void unmount() { QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-u"), mountPoint_}); }

    QString mountPoint_;
    QProcess server_;
};

double timedFd(const QString &mountPoint)
{
    QProcess fd;
    fd.setStandardOutputFile(kBenchDir + QStringLiteral("/fd.txt"));
    QElapsedTimer timer;
    timer.start();
    fd.start(QStringLiteral("fdfind"), {QStringLiteral("-u"), QStringLiteral("-j16"), QStringLiteral("."), mountPoint});
    fd.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e9;
}

void fuseShare(const QString &slowfs)
{
    const QString missing = fuseMissing(slowfs);
    if (!missing.isEmpty()) {
        std::printf("FUSE share: skipped, %s\n", qPrintable(missing));
        return;
    }
    // Smaller than the simulated share: every entry costs a call here, for both walkers.
    const int files = 5000, folders = 1000;
    const QString source = PreparedSyntheticTree(kBenchDir, files, folders);
    const QString mountPoint = kBenchDir + QStringLiteral("/fuse-mount");
    SlowMount mount(slowfs, source, mountPoint);
    if (!mount.mounted()) {
        std::printf("FUSE share: skipped, the file system could not be mounted here\n");
        return;
    }
    std::printf("FUSE share, 1 ms per call, %d files in %d folders:\n", files, folders);
    const double fd = timedFd(mountPoint);
    FileSystemLister lister;
    const double run = timedListRun(mountPoint, lister, 16);
    std::printf("  fdfind -u -j16       %7.3f s\n  list run, 16 in flight %5.3f s\n", fd, run);
    std::printf("  ratio list run / fdfind: %.2f (goal at most 1.3)\n", run / fd);
}

} // namespace

int main(int argc, char *argv[])
{
    QDir().mkpath(kBenchDir);
    simulatedShare();
    fuseShare(argc > 1 ? QString::fromLocal8Bit(argv[1])
                       : QStringLiteral(SHELVANA_SOURCE_DIR "/../shared/tools/slowfs.py"));
    return 0;
}
