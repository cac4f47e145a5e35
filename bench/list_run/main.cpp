// bench_list_run [FILES] [FOLDERS]
// Times the whole list run (all three lists) against find writing every path to a
// file, on the same synthetic tree (a million files by default), and reports the peak
// memory of each. A second tree with the same folders and a quarter of the files
// shows that the run's memory follows the folders, not the files. The trees stay in
// the build folder for the next run.
#include "common/synthetic_tree.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"

#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
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

bool find(const QString &root, const QString &output)
{
    const int out = ::open(QFile::encodeName(output).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0)
        return false;
    const QByteArray top = QFile::encodeName(root);
    ::execlp("find", "find", top.constData(), "-printf", "%p\n", static_cast<char *>(nullptr));
    return false;
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
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 100000;
    if (files < 0 || folders < 1) {
        std::fprintf(stderr, "usage: bench_list_run [FILES] [FOLDERS]\n");
        return 2;
    }
    const QString here = QStringLiteral(SHELVANA_BUILD_DIR "/bench/list_run");
    const QString lists = here + QStringLiteral("/lists");
    QDir().mkpath(lists);
    std::printf("trees: %d files in %d folders, and %d files in the same folders\n", files, folders, files / 4);
    const QString big = PreparedSyntheticTree(here, files, folders);
    const QString small = PreparedSyntheticTree(here, files / 4, folders);

    // The best of a few runs each; the first warms the caches.
    const QString found = here + QStringLiteral("/find.txt");
    const Measure baseline = bestOf(3, [&] { return find(big, found); });
    const Measure run = bestOf(3, [&] { return listRun(big, lists); });
    const Measure runSmall = bestOf(2, [&] { return listRun(small, lists); });
    std::remove(qPrintable(found));
    report("baseline: find -printf '%p\\n'", baseline);
    report("list run, three lists", run);
    report("list run, quarter of the files", runSmall);
    std::printf("ratio list run / find: %.2f (goal at most 1.3)\n", run.seconds / baseline.seconds);
    std::printf("peak memory ratio, all files / quarter of the files: %.2f (goal at most 1.1)\n",
                double(run.peakKilobytes) / double(runSmall.peakKilobytes));
    return 0;
}
