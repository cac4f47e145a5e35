// bench_list_window [FILES] [FOLDERS]
// How live the list window stays during a run: the longest gap between the ticks of a
// 5 ms timer while the window runs over a synthetic tree, against the same timer on
// an idle event loop for as long (the baseline). Goal: no gap over 50 ms.
#include "common/synthetic_tree.h"
#include "lists/windows/make_list_window.h"
#include "platform/sound_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

class SilentPlayer final : public SoundPlayer
{
public:
    void play(const QString &) override {}
    void onProblem(ProblemHandler) override {}
};

// Measures the longest gap between timer ticks until done() is true.
class StallMeter
{
public:
    qint64 run(const std::function<bool()> &done)
    {
        QTimer tick;
        tick.setInterval(5);
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QEventLoop loop;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
            if (done())
                loop.quit();
        });
        clock.start();
        tick.start();
        loop.exec();
        elapsed_ = clock.elapsed();
        return longest;
    }
    qint64 elapsed() const { return elapsed_; }

private:
    qint64 elapsed_ = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 10000;
    QTemporaryDir work;
    std::printf("building a tree of %d files in %d folders\n", files, folders);
    BuildSyntheticTree(work.filePath(QStringLiteral("books")), files, folders);
    QDir().mkpath(work.filePath(QStringLiteral("lists")));

    Settings settings;
    settings.ConfigEbookDir = work.filePath(QStringLiteral("books")) + QLatin1Char('/');
    settings.ConfigListDir = work.filePath(QStringLiteral("lists")) + QLatin1Char('/');
    settings.ConfigTextList = settings.configTableList = settings.ConfigTreeViewList = 1;
    SilentPlayer sound;
    QPointer<MakeListWindow> window =
        new MakeListWindow(settings, sound, nullptr, QStringLiteral(SHELVANA_BUILD_DIR "/Script.txt"));
    window->show();
    QWidget *done = window->findChild<QWidget *>(QStringLiteral("ExitNow"));

    StallMeter meter;
    const qint64 runStall = meter.run([&] { return done->isVisible(); });
    const qint64 runTime = meter.elapsed();
    const QString status = window->findChild<QWidget *>(QStringLiteral("StatusMessage"))->property("text").toString();
    delete window;
    if (!status.startsWith(QLatin1String("Wrote "))) {
        std::fprintf(stderr, "the run failed: %s\n", qPrintable(status));
        return 1;
    }

    QElapsedTimer idle;
    idle.start();
    const qint64 idleStall = meter.run([&] { return idle.elapsed() >= runTime; });
    std::printf("run of the window (start trigger included): %lld ms\n", runTime);
    std::printf("longest event-loop gap, idle baseline: %lld ms\n", idleStall);
    std::printf("longest event-loop gap, during the run: %lld ms (goal at most 50)\n", runStall);
    std::printf("ratio run / baseline: %.2f\n", double(runStall) / double(std::max<qint64>(idleStall, 1)));
    return 0;
}
