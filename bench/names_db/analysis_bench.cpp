#include <QStringList>

// Placeholder until the measurement is written.
int runAnalysisBench(const QStringList &)
{
    return 0;
}
