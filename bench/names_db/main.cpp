#include <QCoreApplication>

int runAnalysisBench(const QStringList &arguments);
int runSearchBench(const QStringList &arguments);

// Two measurements in one run: name analysis throughput, and the comment search
// with the Access-style LIKE against SQLite's own LIKE.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const int analysis = runAnalysisBench(arguments);
    const int search = runSearchBench(arguments);
    return analysis != 0 ? analysis : search;
}
