// shelvana-listrun SETTINGS_FILE: the list window's run without a window.
#include "base/program_files.h"
#include "base/settings_file.h"
#include "lists/perform_list_run.h"
#include "platform/file_system_lister.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

int fail(const QString &reason)
{
    std::fprintf(stderr, "shelvana-listrun: %s\n", qPrintable(reason));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2)
        return fail(QStringLiteral("usage: shelvana-listrun SETTINGS_FILE"));
    QString problem;
    const Settings settings = LoadSettings(arguments[1], &problem);
    if (!problem.isEmpty())
        return fail(problem);
    if (settings == Settings())
        return fail(QStringLiteral("the settings file \"%1\" is missing or empty").arg(arguments[1]));

    const ListRunInputs inputs = ListRunInputs::fromSettings(settings);
    FileSystemLister lister;
    ListRunProgress quiet;
    const ListRunResult result = PerformListRun(inputs, ProgramFile(QStringLiteral("Script.txt")), lister, quiet);
    if (!result.succeeded())
        return fail(result.error);
    std::printf("Files = %d\nDirectories = %d\n", result.files, result.directories);
    if (result.skippedDirectories > 0)
        std::fprintf(stderr, "shelvana-listrun: %d directories could not be read in full and were skipped\n",
                     result.skippedDirectories);
    return 0;
}
