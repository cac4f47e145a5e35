// bench_clipboard [TRIES]
// From a file list put on the X clipboard to the File Info fields filled and the clipboard
// emptied (the program takes the clipboard over to empty it, after filling the fields),
// for each of 20 copied EPUB files (which the program also reads for the author and title
// they name). Goal: at most 150 ms on every try. The baseline is a bare
// Qt program that reads the list and empties the clipboard on the clipboard's change signal.
#include "books/book_fixtures.h"
#include "common/bare_window.h"
#include "common/desktop_process.h"

#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QThread>
#include <QUrl>

#include <cstdio>

namespace {

constexpr double kGoalMs = 150;
constexpr int kTimeoutMs = 2000;

int runBareReader(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QClipboard *clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::dataChanged, [clipboard] {
        const QMimeData *data = clipboard->mimeData();
        if (!data || !data->hasFormat(QStringLiteral("text/uri-list")) || data->data(QStringLiteral("text/uri-list")).isEmpty())
            return;
        clipboard->setMimeData(new QMimeData);
        clipboard->clear();
    });
    return app.exec();
}

QString BookPath(const QString &folder, int i)
{
    return QDir(folder).filePath(QStringLiteral("Author %1 - Title %1.epub").arg(i));
}

bool WriteBooks(const QString &folder, int tries)
{
    for (int i = 0; i < tries; ++i) {
        const QString n = QString::number(i);
        const QByteArray package = fixtures::Epub3Package({{"Book Author " + n, ""}}, "Book Title " + n);
        if (!fixtures::WriteZip(BookPath(folder, i), fixtures::EpubEntries(package)))
            return false;
    }
    return true;
}

// The worst time over the tries, or -1 when one timed out.
double worstTime(WindowMapWatch &watch, const QString &program, const QStringList &arguments, const QString &folder,
                 int tries, QList<double> *times)
{
    const ChildProcess child(program, arguments, folder);
    if (watch.waitForMap(child.startedAt(), 20000) < 0)
        return -1;
    QThread::msleep(1000);
    ClipboardOffer offer;
    double worst = 0;
    for (int i = 0; i < tries; ++i) {
        const QString path = BookPath(folder, i);
        const double ms = offer.offerUntilTaken(QUrl::fromLocalFile(path).toEncoded() + "\r\n", kTimeoutMs);
        if (ms < 0)
            return -1;
        times->append(ms);
        worst = std::max(worst, ms);
        QThread::msleep(200);
    }
    return worst;
}

int measure(const QString &folder, int tries)
{
    if (!WriteBooks(folder, tries)) {
        std::fprintf(stderr, "bench_clipboard: cannot write the books into %s\n", qPrintable(folder));
        return 1;
    }
    WindowMapWatch watch;
    QList<double> bareTimes;
    QList<double> mainTimes;
    const double bare = worstTime(watch, BaselineProgram(), {QStringLiteral("--bare")}, folder, tries, &bareTimes);
    const double main = worstTime(watch, MainProgram(), {}, folder, tries, &mainTimes);
    if (bare < 0 || main < 0) {
        std::fprintf(stderr, "bench_clipboard: a copied file list was not taken within %d ms\n", kTimeoutMs);
        return 1;
    }
    std::printf("clipboard: file list on the clipboard to fields filled and clipboard emptied, %d tries\n", tries);
    std::printf("  bare reader: median %.1f ms, worst %.1f ms\n", Median(bareTimes), bare);
    std::printf("  main window: median %.1f ms, worst %.1f ms (goal <= %.0f ms on every try) %s\n",
                Median(mainTimes), main, kGoalMs, main <= kGoalMs ? "met" : "missed");
    std::printf("  ratio main/bare (median): %.2f\n", Median(mainTimes) / Median(bareTimes));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    return RunDesktopBench(argc, argv, runBareReader, 20, QByteArray(),
                           [](const QString &folder, double tries) { return measure(folder, int(tries)); });
}
