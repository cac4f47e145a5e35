#pragma once

// What the desktop benchmarks need around the program under test: an X display, the
// program started as its own process, its CPU time, the moment its window is mapped,
// and a clipboard owner offering copied files. Kept free of X11 headers.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <sys/types.h>

// Without a display, runs this benchmark again under xvfb-run (never returns then).
void RunUnderXvfbIfNeeded(int argc, char **argv);

qint64 MonotonicNanoseconds();

// A started program; stopped when this goes.
class ChildProcess
{
public:
    ChildProcess(const QString &program, const QStringList &arguments, const QString &workingDirectory);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    pid_t pid() const { return pid_; }
    qint64 startedAt() const { return startedAt_; }
    // CPU time of all its threads so far.
    qint64 cpuNanoseconds() const;

private:
    pid_t pid_ = -1;
    qint64 startedAt_ = 0;
};

// Watches the display for top-level windows being mapped.
class WindowMapWatch
{
public:
    WindowMapWatch();
    ~WindowMapWatch();
    // Milliseconds from `since` (MonotonicNanoseconds) to the next map; -1 after timeoutMs.
    double waitForMap(qint64 since, int timeoutMs);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Owns the X clipboard and offers a file list on it as text/uri-list.
class ClipboardOffer
{
public:
    ClipboardOffer();
    ~ClipboardOffer();
    // Puts the list on the clipboard and serves it until another program takes the
    // clipboard over (as emptying it does): the milliseconds until then, -1 after timeoutMs.
    double offerUntilTaken(const QByteArray &uriList, int timeoutMs);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The median of a few samples.
double Median(QList<double> samples);
