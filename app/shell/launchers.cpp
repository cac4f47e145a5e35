#include "shell/launchers.h"

#include "lists/list_file_names.h"
#include "lists/list_file_path.h"
#include "platform/message_box.h"
#include "platform/program_starter.h"
#include "platform/shell.h"
#include "shell/desktop.h"
#include "shell/sound_cues.h"
#include "shell/web_search.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString kProgramTitle = QStringLiteral("Shelvana");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// How each tool is told where to search; searchmonkey has no such option and opens where
// it was last used.
QStringList fileSearchArguments(const QString &tool, const QString &directory)
{
    if (tool == QLatin1String("kfind"))
        return {directory};
    if (tool == QLatin1String("searchmonkey"))
        return {};
    return {QStringLiteral("--path=") + directory}; // catfish, gnome-search-tool
}

} // namespace

std::optional<ProgramCommand> FileSearchCommand(ProgramStarter &programs, const QString &directory)
{
    for (const QString &tool : kFileSearchTools) {
        const QString program = programs.findProgram(tool);
        if (!program.isEmpty())
            return ProgramCommand{program, fileSearchArguments(tool, directory)};
    }
    return std::nullopt;
}

std::optional<QString> ListToView(const Settings &settings)
{
    if (settings.ConfigTreeViewList == 1)
        return ListFilePath(settings.ConfigListDir, kTreeListName);
    if (settings.configTableList == 1)
        return ListFilePath(settings.ConfigListDir, kTableListName);
    if (settings.ConfigTextList == 1)
        return ListFilePath(settings.ConfigListDir, kTextListName);
    return std::nullopt;
}

void Launchers::goToWebPage(const QString &title, const QString &author, const std::optional<QString> &prefix)
{
    PlayCue(settings_, desktop_.sound, QStringLiteral("static1.wav"));
    if (!HasSearchSubject(title, author)) {
        desktop_.messages.show(QStringLiteral("Warning:"), QStringLiteral("You must enter something under Title OR Author"));
        return;
    }
    if (!prefix) {
        desktop_.messages.show(kProgramTitle,
                               QStringLiteral("Choose one of the browser links from the list; typed text names no link."));
        return;
    }
    const QUrl address(SearchAddress(*prefix, title, author), QUrl::TolerantMode);
    if (!address.isValid() || !desktop_.shell.openUrl(address))
        desktop_.messages.show(kProgramTitle, QStringLiteral("No web browser could open %1").arg(address.toString()));
}

bool Launchers::checkEbookDirectory()
{
    const QString directory = settings_.ConfigEbookDir;
    if (directory.isEmpty()) {
        desktop_.messages.show(kProgramTitle, QStringLiteral("Choose the E-Book directory on the Config tab first."));
        return false;
    }
    if (!QFileInfo(directory).isDir()) {
        desktop_.messages.show(kProgramTitle, QStringLiteral("The E-Book directory %1 does not exist.").arg(shown(directory)));
        return false;
    }
    return true;
}

void Launchers::open(const QString &path, const QString &whatFailed)
{
    if (!desktop_.shell.openUrl(QUrl::fromLocalFile(path)))
        desktop_.messages.show(kProgramTitle, whatFailed.arg(shown(path)));
}

void Launchers::fileFind()
{
    PlayCue(settings_, desktop_.sound, QStringLiteral("metaliccrystal.wav"));
    if (!checkEbookDirectory())
        return;
    const std::optional<ProgramCommand> search = FileSearchCommand(desktop_.programs, settings_.ConfigEbookDir);
    if (search && desktop_.programs.startProgram(search->program, search->arguments))
        return;
    open(settings_.ConfigEbookDir, QStringLiteral("No file search tool or file manager could be started for %1."));
}

void Launchers::winExplorer()
{
    PlayCue(settings_, desktop_.sound, QStringLiteral("metaliccrystal.wav"));
    if (checkEbookDirectory())
        open(settings_.ConfigEbookDir, QStringLiteral("No file manager could be started for %1."));
}

void Launchers::viewList()
{
    const std::optional<QString> list = ListToView(settings_);
    if (!list)
        return;
    if (settings_.ConfigListDir.isEmpty()) {
        desktop_.messages.show(kProgramTitle, QStringLiteral("Choose the List directory on the Config tab first."));
        return;
    }
    if (!QFileInfo(*list).isFile()) {
        desktop_.messages.show(kProgramTitle,
                               QStringLiteral("The list %1 has not been made yet: press \"Make List\" first.").arg(shown(*list)));
        return;
    }
    open(*list, QStringLiteral("No program could be started to show %1."));
}

void Launchers::editBrowserLinks(const QString &linksFile)
{
    open(linksFile, QStringLiteral("No text editor could be started for %1."));
}
