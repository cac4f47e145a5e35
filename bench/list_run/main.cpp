// bench_list_run [FILES] [FOLDERS]
// Times the whole list run (all three lists) against a plain recursive walk that
// writes every path to a file, on the same synthetic tree, and reports the peak
// memory of each. A second tree with the same folders and a quarter of the files
// shows that the run's memory follows the folders, not the files.
#include "common/synthetic_tree.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Measure
{
    double seconds = 0;
    long peakKilobytes = 0;
};

// Runs the job in a child process so that its time and peak memory are its own.
Measure measureInChild(const std::function<bool()> &job)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0)
        _exit(job() ? 0 : 1);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "benchmark job failed\n");
        std::exit(1);
    }
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

Measure bestOf(int runs, const std::function<bool()> &job)
{
    Measure best = measureInChild(job);
    for (int i = 1; i < runs; ++i) {
        const Measure next = measureInChild(job);
        if (next.seconds < best.seconds)
            best = next;
    }
    return best;
}

bool plainWalk(const QString &root, const QString &output)
{
    std::ofstream out(output.toStdString(), std::ios::binary);
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root.toStdString()))
        out << entry.path().native() << "\r\n";
    return bool(out);
}

bool listRun(const QString &root, const QString &listDirectory)
{
    ListRunInputs inputs;
    inputs.topDirectory = root + QLatin1Char('/');
    inputs.listDirectory = listDirectory + QLatin1Char('/');
    inputs.title = QStringLiteral("Benchmark");
    inputs.tableList = inputs.textList = inputs.treeList = true;
    FileSystemLister lister;
    ListRunProgress quiet;
    const ListRunResult result =
        PerformListRun(inputs, QStringLiteral(SHELVANA_BUILD_DIR "/Script.txt"), lister, quiet);
    if (!result.succeeded())
        std::fprintf(stderr, "list run failed: %s\n", qPrintable(result.error));
    return result.succeeded();
}

void report(const char *label, const Measure &m)
{
    std::printf("%-34s %8.3f s   peak memory %7ld KiB\n", label, m.seconds, m.peakKilobytes);
}

} // namespace

int main(int argc, char *argv[])
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (files < 0 || folders < 1) {
        std::fprintf(stderr, "usage: bench_list_run [FILES] [FOLDERS]\n");
        return 2;
    }
    QTemporaryDir work;
    const QString big = work.filePath(QStringLiteral("big"));
    const QString small = work.filePath(QStringLiteral("small"));
    const QString lists = work.filePath(QStringLiteral("lists"));
    QDir().mkpath(lists);
    std::printf("building trees: %d files in %d folders, and %d files in %d folders\n", files, folders,
                files / 4, folders);
    BuildSyntheticTree(big, files, folders);
    BuildSyntheticTree(small, files / 4, folders);

    const Measure baseline = bestOf(3, [&] { return plainWalk(big, work.filePath(QStringLiteral("walk.txt"))); });
    const Measure run = bestOf(3, [&] { return listRun(big, lists); });
    const Measure runSmall = bestOf(3, [&] { return listRun(small, lists); });
    report("baseline: walk writing paths", baseline);
    report("list run, three lists", run);
    report("list run, quarter of the files", runSmall);
    std::printf("ratio list run / baseline: %.2f (goal at most 1.5)\n", run.seconds / baseline.seconds);
    std::printf("peak memory ratio, all files / quarter of the files: %.2f (near 1 when memory follows folders)\n",
                double(run.peakKilobytes) / double(runSmall.peakKilobytes));
    return 0;
}
