// The comment search on a table of 100,000 records: the query text as the comment window
// builds it, run with the Access-style LIKE, against the same search in SQLite's own
// dialect ("%" for "*") on a connection without the override, in the same run.
#include "comments/access_like.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"
#include "comments/comment_schema.h"
#include "common/comment_table.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <limits>

namespace {

// The machine is shared, so the process's own CPU time is the steadier measure; wall time
// is printed beside it.
struct Stopwatch
{
    QElapsedTimer wall;
    qint64 cpuStart = cpuNow();
    Stopwatch() { wall.start(); }
    static qint64 cpuNow()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    qint64 cpu() const { return cpuNow() - cpuStart; }
};

constexpr int kRecords = 100000;
constexpr int kRepeats = 5;

const QStringList kFirstNames = {"Ann", "Bob", "Carla", "Dmitri", "Elena", "Frank", "Grace", "Hiro", "Ines", "Jon",
                                 "Kira", "Luis", "Mona", "Nils", "Olga", "Pavel", "Quinn", "Rosa", "Sven", "Tara"};
const QStringList kLastNames = {"Leckie", "Rice", "Smith", "Okafor", "Novak", "Tanaka", "Garcia", "Berg", "Moreau",
                                "Kowalski", "Haddad", "Larsen", "Rossi", "Ivanova", "Chen", "Adams"};
const QStringList kWords = {"Shadow", "River", "Glass", "Empire", "Winter", "Garden", "Stone", "Night", "Silver",
                            "Harbour", "Machine", "Crown", "Letter", "Forest", "Storm", "Mirror"};
const QStringList kGenres = {"SF", "Fantasy", "Horror", "Crime", "History", "Poetry", "Essays", "Travel"};
const QString kCommentHtml = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\np, li { white-space: "
    "pre-wrap; }\n</style></head><body style=\" font-family:'Sans Serif'; font-size:10pt;\">\n<p style=\" "
    "margin-top:0px; margin-bottom:0px;\">%1</p></body></html>");

QString pick(QRandomGenerator &random, const QStringList &list)
{
    return list.at(random.bounded(list.size()));
}

CommentRecordMaker records()
{
    return [random = QRandomGenerator(42)](int i) mutable {
        const QString title = pick(random, kWords) + QLatin1Char(' ') + pick(random, kWords);
        const QString author = pick(random, kFirstNames) + QLatin1Char(' ') + pick(random, kLastNames);
        const QString file = title.toLower().replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral("_%1.epub").arg(i);
        const QString comment = kCommentHtml.arg(QStringLiteral("Read in %1; worth reading again.").arg(1990 + i % 35));
        return std::array<QByteArray, 5>{author.toUtf8(), title.toUtf8(), pick(random, kGenres).toUtf8(),
                                         file.toUtf8(), comment.toUtf8()};
    };
}

// Runs the query and steps through every row, reading each field's text as loading a record
// set does; CPU time.
qint64 runQuery(sqlite3 *db, const QString &text, int *rows)
{
    const Stopwatch stopwatch;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, text.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "query failed: %s\n", sqlite3_errmsg(db));
        return -1;
    }
    *rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(statement); ++column)
            sqlite3_column_text(statement, column);
        ++*rows;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "query failed: %s\n", sqlite3_errmsg(db));
        return -1;
    }
    return stopwatch.cpu();
}

qint64 bestOf(const std::function<qint64()> &run)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < kRepeats; ++i)
        best = std::min(best, run());
    return best;
}

double ms(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

struct Search
{
    const char *label;
    QStringList fields; // author, title, genre, file
};

} // namespace

int runSearchBench(const QStringList &)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(kCommentDatabaseFileName));
    if (!MakeCommentDatabase(path, kRecords, records())) {
        std::fprintf(stderr, "search bench: could not fill the table\n");
        return 1;
    }
    std::printf("search bench: table of %d records\n", kRecords);

    const SqliteConnection access = OpenSqlite(path);
    const SqliteConnection native = OpenSqlite(path);
    QString error;
    if (!access || !native || !registerAccessLike(access.get(), &error)) {
        std::fprintf(stderr, "search bench: %s\n", qPrintable(error));
        return 1;
    }

    const QList<Search> searches = {
        {"all fields empty", {"", "", "", ""}},
        {"author \"A\"", {"A", "", "", ""}},
        {"author \"Ann\"", {"Ann", "", "", ""}},
        {"author \"ann l\", title \"s\"", {"ann l", "s", "", ""}},
        {"genre \"sf\", file \"glass\"", {"", "", "sf", "glass"}},
    };
    qint64 accessTotal = 0;
    qint64 nativeTotal = 0;
    for (const Search &search : searches) {
        const QString text = SearchQueryText(search.fields[0], search.fields[1], search.fields[2], search.fields[3]);
        QString nativeText = text;
        nativeText.replace(QStringLiteral("*'"), QStringLiteral("%'"));
        int accessRows = 0;
        int nativeRows = 0;
        const qint64 accessTime = bestOf([&] { return runQuery(access.get(), text, &accessRows); });
        const qint64 nativeTime = bestOf([&] { return runQuery(native.get(), nativeText, &nativeRows); });
        if (accessTime < 0 || nativeTime < 0 || accessRows != nativeRows) {
            std::fprintf(stderr, "search bench: %s: the two searches disagree (%d and %d rows)\n", search.label,
                         accessRows, nativeRows);
            return 1;
        }
        accessTotal += accessTime;
        nativeTotal += nativeTime;
        std::printf("search query, %-28s %6d rows: Access LIKE %8.2f ms, SQLite LIKE %8.2f ms CPU, ratio %.2f\n",
                    search.label, accessRows, ms(accessTime), ms(nativeTime), double(accessTime) / nativeTime);
    }
    const double ratio = double(accessTotal) / double(nativeTotal);
    std::printf("search query, all searches: Access LIKE %.2f ms, SQLite LIKE (baseline) %.2f ms CPU\n", ms(accessTotal),
                ms(nativeTotal));
    std::printf("search query ratio Access/SQLite LIKE: %.2f (goal: at most 2) %s\n", ratio,
                ratio <= 2.0 ? "OK" : "OVER GOAL");

    // Typing an author's name into the search field, one refresh per keystroke, then
    // deleting it again, which ends with every record loaded.
    CommentDataSource source(path);
    if (!source.open()) {
        std::fprintf(stderr, "search bench: %s\n", qPrintable(source.errorString()));
        return 1;
    }
    const QString typed = QStringLiteral("Ann Leckie");
    QStringList keystrokes;
    for (int i = 1; i <= typed.size(); ++i)
        keystrokes << typed.left(i);
    for (int i = typed.size() - 1; i >= 0; --i)
        keystrokes << typed.left(i);
    qint64 slowest = 0;
    qint64 total = 0;
    qint64 totalWall = 0;
    QString slowestText;
    int slowestCount = 0;
    for (const QString &author : keystrokes) {
        source.setRecordFilter(RecordFilter::search(author, QString(), QString(), QString()));
        const Stopwatch stopwatch;
        if (!source.refresh()) {
            std::fprintf(stderr, "search bench: %s\n", qPrintable(source.errorString()));
            return 1;
        }
        const qint64 elapsed = stopwatch.cpu();
        total += elapsed;
        totalWall += stopwatch.wall.nsecsElapsed();
        if (elapsed > slowest) {
            slowest = elapsed;
            slowestText = author;
            slowestCount = source.recordCount();
        }
    }
    const double mean = ms(total) / keystrokes.size();
    std::printf("search with record set load per keystroke (%lld keystrokes): mean %.2f ms CPU (goal: under 50 ms) "
                "%s; mean wall time %.2f ms\n",
                static_cast<long long>(keystrokes.size()), mean, mean < 50.0 ? "OK" : "OVER GOAL",
                ms(totalWall) / keystrokes.size());
    std::printf("search with record set load, slowest keystroke: %.2f ms CPU for author \"%s\" (%d records)\n",
                ms(slowest), qPrintable(slowestText), slowestCount);
    return 0;
}
