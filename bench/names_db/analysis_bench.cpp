#include "names/extrapolation.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTextStream>

#include <functional>

// Name analysis throughput over generated paths of every shape the rules know,
// against a baseline that only splits each path and copies its file name.
namespace {

constexpr int kPathCount = 100000;
constexpr int kRounds = 3;

QString Pick(QRandomGenerator &random, const QStringList &words)
{
    return words[random.bounded(int(words.size()))];
}

QStringList GeneratePaths()
{
    const QStringList firsts = {"Isaac", "Ursula", "Jean-Paul", "Mary", "Arthur", "Octavia", "Stanislaw"};
    const QStringList lasts = {"Asimov", "Le Guin", "Sartre", "Shelley", "Clarke", "Butler", "Lem"};
    const QStringList titles = {"Foundation", "The Dispossessed", "Nausea", "Frankenstein", "Rendezvous",
                                "Kindred", "Solaris", "The Left Hand Of Darkness"};
    QRandomGenerator random(4711);
    QStringList paths;
    paths.reserve(kPathCount);
    for (int i = 0; i < kPathCount; ++i) {
        const QString first = Pick(random, firsts);
        const QString last = Pick(random, lasts);
        const QString title = Pick(random, titles);
        const QString root = QStringLiteral("/home/reader/Books/Fiction/");
        switch (i % 6) {
        case 0:
            paths << root + first + ' ' + last + " - " + title + ".pdf";
            break;
        case 1:
            paths << root + QString(first + '_' + last + "_-_" + title).replace(' ', '_') + ".epub";
            break;
        case 2:
            paths << root + title + " by " + first + ' ' + last + ".txt";
            break;
        case 3:
            paths << root + first + ' ' + last + '/' + last + ' ' + title + ".mobi";
            break;
        case 4:
            paths << root + first + ' ' + last + '/' + title + " (1951) [scan].pdf";
            break;
        default:
            paths << root + QString(first + last).remove(' ') + '/' + QString(title).remove(' ') + ".pdf";
            break;
        }
    }
    return paths;
}

// Best of a few rounds, in milliseconds; the checksum keeps the work from being dropped.
double BestMilliseconds(const std::function<qsizetype()> &work, qsizetype &checksum)
{
    qint64 best = -1;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        checksum += work();
        const qint64 elapsed = timer.nsecsElapsed();
        if (best < 0 || elapsed < best)
            best = elapsed;
    }
    return double(best) / 1e6;
}

} // namespace

int runAnalysisBench(const QStringList &)
{
    const QStringList paths = GeneratePaths();
    qsizetype checksum = 0;

    const double baseline = BestMilliseconds(
        [&paths] {
            qsizetype total = 0;
            for (const QString &path : paths) {
                const QString file = path.split(QLatin1Char('/')).constLast();
                total += file.size();
            }
            return total;
        },
        checksum);

    const double analysis = BestMilliseconds(
        [&paths] {
            qsizetype total = 0;
            FileInfo info;
            for (const QString &path : paths) {
                info = ExtrapolateAuthorTitle(path, info, nullptr).info;
                total += info.file.size() + info.author.size() + info.title.size();
            }
            return total;
        },
        checksum);

    QTextStream out(stdout);
    out << "analysis bench: " << kPathCount << " generated paths, best of " << kRounds << " rounds\n"
        << "analysis bench: baseline (split at separator, copy file name): " << baseline << " ms\n"
        << "analysis bench: analysis (file, author, title, no comment table): " << analysis << " ms\n"
        << "analysis bench: ratio analysis/baseline: " << (baseline > 0 ? analysis / baseline : 0.0) << '\n'
        << "analysis bench: analysis throughput: " << qRound64(kPathCount / (analysis / 1000.0)) << " paths/s\n"
        << "analysis bench: checksum " << checksum << '\n';
    return 0;
}
