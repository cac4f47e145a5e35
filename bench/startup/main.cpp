// bench_startup [RUNS]
// Process start to the main window shown (mapped on the X display), for the real program
// against a bare Qt program with a four-tab strip and as many plain push buttons, started
// alternately in the same run. Goal: median ratio at most 1.5.
#include "common/bare_window.h"
#include "common/desktop_process.h"


#include <cstdio>

namespace {

constexpr double kGoal = 1.5;
constexpr int kTimeoutMs = 20000;

double timeToWindow(WindowMapWatch &watch, const QString &program, const QStringList &arguments,
                    const QString &folder)
{
    const ChildProcess child(program, arguments, folder);
    return watch.waitForMap(child.startedAt(), kTimeoutMs);
}

int measure(const QString &folder, int runs)
{
    WindowMapWatch watch;
    QList<double> bare;
    QList<double> main;
    for (int run = 0; run < runs; ++run) {
        bare.append(timeToWindow(watch, BaselineProgram(), {QStringLiteral("--bare")}, folder));
        main.append(timeToWindow(watch, MainProgram(), {}, folder));
        if (bare.last() < 0 || main.last() < 0) {
            std::fprintf(stderr, "bench_startup: a window did not show within %d ms\n", kTimeoutMs);
            return 1;
        }
    }
    const double bareMs = Median(bare);
    const double mainMs = Median(main);
    const double ratio = mainMs / bareMs;
    std::printf("startup: process start to window shown, median of %d runs each\n", runs);
    std::printf("  bare window (4 tabs, %d push buttons): %.1f ms\n", kMainWindowButtons, bareMs);
    std::printf("  main window:                          %.1f ms\n", mainMs);
    std::printf("  ratio main/bare: %.2f (goal <= %.1f) %s\n", ratio, kGoal, ratio <= kGoal ? "met" : "missed");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // The program starts as a user's would: with its settings and a comment database.
    return RunDesktopBench(argc, argv, RunBareWindow, 11, "/tmp/\r\n/tmp/\r\n 1 \r\n 1 \r\n 1 \r\nBench\r\n 0 \r\n",
                           [](const QString &folder, double runs) { return measure(folder, int(runs)); });
}
