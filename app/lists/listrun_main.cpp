// shelvana-listrun SETTINGS_FILE: the list window's run without a window.
#include "lists/perform_list_run.h"
#include "shell/program_files.h"
#include "shell/settings_file.h"

#include <QCoreApplication>
#include <QFileInfo>
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
    const QFileInfo settingsFile(arguments[1]);
    if (!settingsFile.isFile() || !settingsFile.isReadable())
        return fail(QStringLiteral("cannot read the settings file \"%1\"").arg(arguments[1]));

    const ListRunInputs inputs = ListRunInputs::fromSettings(LoadSettings(settingsFile.filePath()));
    ListRunProgress quiet;
    const ListRunResult result = PerformListRun(inputs, ProgramFile(QStringLiteral("Script.txt")), quiet);
    if (!result.succeeded())
        return fail(result.error);
    std::printf("Files = %d\nDirectories = %d\n", result.files, result.directories);
    if (result.skippedDirectories > 0)
        std::fprintf(stderr, "shelvana-listrun: %d directories could not be read and were skipped\n",
                     result.skippedDirectories);
    return 0;
}
