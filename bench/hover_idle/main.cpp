#include "platform/qt_control_loader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGridLayout>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>

// CPU time of a window of nineteen hover buttons standing idle, against a window of
// nineteen standard push buttons idle in the same run. Idle buttons should cost
// nothing: the goal is a ratio of at most 1.1.

namespace {

constexpr int kButtons = 19; // as many as the main window has
constexpr int kColumns = 4;
constexpr double kGoal = 1.1;

using MakeButton = std::function<QWidget *(QWidget *parent, int index)>;

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void runEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Shows a window of buttons, lets it settle, then measures its idle CPU time.
double idleCpuSeconds(const MakeButton &make, int idleMilliseconds)
{
    QWidget window;
    auto *grid = new QGridLayout(&window);
    for (int i = 0; i < kButtons; ++i)
        grid->addWidget(make(&window, i), i / kColumns, i % kColumns);
    window.show();
    runEventLoopFor(300);
    const double start = processCpuSeconds();
    runEventLoopFor(idleMilliseconds);
    return processCpuSeconds() - start;
}

int idleMillisecondsFrom(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--seconds"));
    bool ok = false;
    const double seconds = at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toDouble(&ok) : 0.0;
    return ok && seconds > 0 ? int(seconds * 1000) : 3000;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int idleMs = idleMillisecondsFrom(app.arguments());

    const QString pluginDir = qEnvironmentVariableIsSet("SHELVANA_BUILD_DIR")
                                  ? qEnvironmentVariable("SHELVANA_BUILD_DIR")
                                  : QStringLiteral(SHELVANA_BUILD_DIR);
    QtControlLoader loader(pluginDir);
    if (!loader.load()) {
        std::fprintf(stderr, "%s\n", qPrintable(loader.errorText()));
        return 1;
    }
    const MakeButton hover = [&loader](QWidget *parent, int index) {
        QWidget *button = loader.createControl(QStringLiteral("Lumikit.Lumicap"), parent);
        button->setProperty("Caption", QStringLiteral("Button %1").arg(index + 1));
        return button;
    };
    const MakeButton standard = [](QWidget *parent, int index) {
        return new QPushButton(QStringLiteral("Button %1").arg(index + 1), parent);
    };

    // Alternate the two, so drift of the machine's load falls on both alike.
    constexpr int kRounds = 2;
    double hoverCpu = 0;
    double standardCpu = 0;
    for (int round = 0; round < kRounds; ++round) {
        standardCpu += idleCpuSeconds(standard, idleMs);
        hoverCpu += idleCpuSeconds(hover, idleMs);
    }
    const double ratio = standardCpu > 0 ? hoverCpu / standardCpu : (hoverCpu > 0 ? INFINITY : 1.0);
    std::printf("hover_idle: %d buttons idle %d x %.1f s\n", kButtons, kRounds, idleMs / 1000.0);
    std::printf("  standard push buttons: %.3f ms CPU\n", standardCpu * 1000);
    std::printf("  hover buttons:         %.3f ms CPU\n", hoverCpu * 1000);
    std::printf("  ratio hover/standard:  %.2f (goal <= %.1f) %s\n", ratio, kGoal,
                ratio <= kGoal ? "met" : "missed");
    return 0;
}
