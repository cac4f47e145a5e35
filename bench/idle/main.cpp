// bench_idle [SECONDS]
// CPU time of the real main window left idle (clipboard watch, hover buttons) against the
// bare Qt window with a four-tab strip and as many plain push buttons, each idle for the
// same time in the same run. Goal: ratio at most 1.2.
#include "common/bare_window.h"
#include "common/desktop_process.h"

#include <QThread>

#include <cmath>
#include <cstdio>

namespace {

constexpr double kGoal = 1.2;
constexpr int kSettleMs = 1500;

double idleCpuMs(WindowMapWatch &watch, const QString &program, const QStringList &arguments,
                 const QString &folder, int idleMs)
{
    const ChildProcess child(program, arguments, folder);
    if (watch.waitForMap(child.startedAt(), 20000) < 0)
        return -1;
    QThread::msleep(kSettleMs); // the start-up's own work is over
    const qint64 before = child.cpuNanoseconds();
    QThread::msleep(idleMs);
    return double(child.cpuNanoseconds() - before) / 1e6;
}

int measure(const QString &folder, int idleMs)
{
    WindowMapWatch watch;
    const double bare = idleCpuMs(watch, BaselineProgram(), {QStringLiteral("--bare")}, folder, idleMs);
    const double main = idleCpuMs(watch, MainProgram(), {}, folder, idleMs);
    if (bare < 0 || main < 0) {
        std::fprintf(stderr, "bench_idle: a window did not show\n");
        return 1;
    }
    // A bare window may use no measurable CPU at all; then any use is an infinite ratio.
    const double ratio = bare > 0 ? main / bare : (main > 0 ? INFINITY : 1.0);
    std::printf("idle: CPU time of a window left idle for %.1f s\n", idleMs / 1000.0);
    std::printf("  bare window (4 tabs, %d push buttons): %.2f ms\n", kMainWindowButtons, bare);
    std::printf("  main window:                          %.2f ms\n", main);
    std::printf("  ratio main/bare: %.2f (goal <= %.1f) %s\n", ratio, kGoal, ratio <= kGoal ? "met" : "missed");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    return RunDesktopBench(argc, argv, RunBareWindow, 10.0, QByteArray(),
                           [](const QString &folder, double seconds) { return measure(folder, int(1000 * seconds)); });
}
