// shelvana-listrun [--jobs N] SETTINGS_FILE: the list window's run without a window.
#include "base/program_files.h"
#include "base/settings_file.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

int fail(const QString &reason)
{
    std::fprintf(stderr, "shelvana-listrun: %s\n", qPrintable(reason));
    return 1;
}

const QString kJobsOption = QStringLiteral("jobs");

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Makes the e-book lists that the settings file switches on, as Make List does."));
    parser.addHelpOption();
    parser.addOption({{QStringLiteral("j"), kJobsOption},
                      QStringLiteral("Read up to N directories at the same time (default %1, 1 to %2). "
                                     "More help on a network share that is slow to answer; 1 reads "
                                     "one directory after another.")
                          .arg(ListRunInputs::kDefaultReadsInFlight)
                          .arg(ListRunInputs::kMostReadsInFlight),
                      QStringLiteral("N")});
    parser.addPositionalArgument(QStringLiteral("SETTINGS_FILE"),
                                 QStringLiteral("The settings file (Path.txt) that names the folders and lists."));
}

// The number of reads in flight, or nothing when the option's value is no such number.
std::optional<int> readsInFlight(const QCommandLineParser &parser)
{
    if (!parser.isSet(kJobsOption))
        return ListRunInputs::kDefaultReadsInFlight;
    bool number = false;
    const int jobs = parser.value(kJobsOption).toInt(&number);
    if (!number || jobs < 1 || jobs > ListRunInputs::kMostReadsInFlight)
        return std::nullopt;
    return jobs;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QElapsedTimer elapsed;
    elapsed.start();
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return fail(QStringLiteral("usage: shelvana-listrun [--jobs N] SETTINGS_FILE (--help says more)"));
    const std::optional<int> jobs = readsInFlight(parser);
    if (!jobs) {
        return fail(QStringLiteral("--jobs takes a whole number from 1 to %1, not \"%2\"")
                        .arg(ListRunInputs::kMostReadsInFlight)
                        .arg(parser.value(kJobsOption)));
    }
    QString problem;
    const Settings settings = LoadSettings(positional[0], &problem);
    if (!problem.isEmpty())
        return fail(problem);
    if (settings == Settings())
        return fail(QStringLiteral("the settings file \"%1\" is missing or empty").arg(positional[0]));

    ListRunInputs inputs = ListRunInputs::fromSettings(settings);
    inputs.readsInFlight = *jobs;
    FileSystemLister lister;
    ListRunProgress quiet;
    const ListRunResult result = PerformListRun(inputs, ProgramFile(QStringLiteral("Script.txt")), lister, quiet);
    if (!result.succeeded())
        return fail(result.error);
    std::printf("Files = %d\nDirectories = %d\n", result.files, result.directories);
    if (result.skippedDirectories > 0)
        std::fprintf(stderr, "shelvana-listrun: %d directories could not be read in full and were skipped\n",
                     result.skippedDirectories);
    // Someone watching a terminal wants to know how long it took; a script does not.
    if (::isatty(STDERR_FILENO)) {
        std::fprintf(stderr, "shelvana-listrun: Files = %d, Directories = %d, in %.1f s (%d reads in flight)\n",
                     result.files, result.directories, double(elapsed.elapsed()) / 1000.0, *jobs);
    }
    return 0;
}
