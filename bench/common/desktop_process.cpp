#include "common/desktop_process.h"

#include <QDir>
#include <QFile>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

void RunUnderXvfbIfNeeded(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    std::vector<char *> args{const_cast<char *>("xvfb-run"), const_cast<char *>("-a"), const_cast<char *>("-s"),
                             const_cast<char *>("-screen 0 1024x768x24")};
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execvp("xvfb-run", args.data());
    std::perror("xvfb-run");
    std::exit(2);
}

qint64 MonotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double Median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    if (n == 0)
        return 0;
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

ChildProcess::ChildProcess(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QList<QByteArray> encoded{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        encoded.append(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(workingDirectory);
    startedAt_ = MonotonicNanoseconds();
    pid_ = ::fork();
    if (pid_ == 0) {
        if (::chdir(directory.constData()) != 0)
            ::_exit(126);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

qint64 ChildProcess::cpuNanoseconds() const
{
    qint64 total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid_);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + QLatin1Char('/') + task + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toLongLong(); // time on the CPU, ns
    }
    return total;
}

namespace {

// Waits up to the deadline for X events; false when it passed.
bool waitForEvents(Display *display, qint64 deadline)
{
    XFlush(display);
    if (XPending(display))
        return true;
    const qint64 left = deadline - MonotonicNanoseconds();
    if (left <= 0)
        return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    ::poll(&fd, 1, int(std::min<qint64>(left / 1000000 + 1, 5)));
    return true;
}

double millisecondsSince(qint64 since)
{
    return double(MonotonicNanoseconds() - since) / 1e6;
}

} // namespace

struct WindowMapWatch::Impl
{
    Display *display = nullptr;
};

WindowMapWatch::WindowMapWatch() : impl_(std::make_unique<Impl>())
{
    impl_->display = XOpenDisplay(nullptr);
    if (!impl_->display) {
        std::fprintf(stderr, "cannot open the X display\n");
        std::exit(2);
    }
    XSelectInput(impl_->display, DefaultRootWindow(impl_->display), SubstructureNotifyMask);
    XSync(impl_->display, True);
}

WindowMapWatch::~WindowMapWatch()
{
    XCloseDisplay(impl_->display);
}

double WindowMapWatch::waitForMap(qint64 since, int timeoutMs)
{
    const qint64 deadline = MonotonicNanoseconds() + qint64(timeoutMs) * 1000000;
    while (waitForEvents(impl_->display, deadline)) {
        while (XPending(impl_->display)) {
            XEvent event;
            XNextEvent(impl_->display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return millisecondsSince(since);
        }
    }
    return -1;
}

struct ClipboardOffer::Impl
{
    Display *display = nullptr;
    Window window = 0;
    Atom clipboard = 0;
    Atom targets = 0;
    Atom uriList = 0;

    void answer(const XSelectionRequestEvent &request, const QByteArray &data)
    {
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.time = request.time;
        const Atom property = request.property ? request.property : request.target;
        reply.xselection.property = property;
        if (request.target == targets) {
            const Atom offered[] = {targets, uriList};
            XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(offered), 2);
        } else if (request.target == uriList) {
            XChangeProperty(display, request.requestor, property, uriList, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
        } else {
            reply.xselection.property = 0; // refused
        }
        XSendEvent(display, request.requestor, False, 0, &reply);
        XFlush(display);
    }
};

ClipboardOffer::ClipboardOffer() : impl_(std::make_unique<Impl>())
{
    impl_->display = XOpenDisplay(nullptr);
    if (!impl_->display) {
        std::fprintf(stderr, "cannot open the X display\n");
        std::exit(2);
    }
    impl_->window = XCreateSimpleWindow(impl_->display, DefaultRootWindow(impl_->display), 0, 0, 1, 1, 0, 0, 0);
    impl_->clipboard = XInternAtom(impl_->display, "CLIPBOARD", False);
    impl_->targets = XInternAtom(impl_->display, "TARGETS", False);
    impl_->uriList = XInternAtom(impl_->display, "text/uri-list", False);
}

ClipboardOffer::~ClipboardOffer()
{
    XDestroyWindow(impl_->display, impl_->window);
    XCloseDisplay(impl_->display);
}

double ClipboardOffer::offerUntilTaken(const QByteArray &uriList, int timeoutMs)
{
    const qint64 since = MonotonicNanoseconds();
    const qint64 deadline = since + qint64(timeoutMs) * 1000000;
    XSetSelectionOwner(impl_->display, impl_->clipboard, impl_->window, CurrentTime);
    XFlush(impl_->display);
    while (waitForEvents(impl_->display, deadline)) {
        while (XPending(impl_->display)) {
            XEvent event;
            XNextEvent(impl_->display, &event);
            if (event.type == SelectionRequest)
                impl_->answer(event.xselectionrequest, uriList);
            else if (event.type == SelectionClear)
                return millisecondsSince(since);
        }
    }
    return -1;
}
