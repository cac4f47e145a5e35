#pragma once

#include "base/settings.h"

#include <QString>
#include <QStringList>

#include <optional>

struct Desktop;
class ProgramStarter;

// The file-search tools tried, in this order, for "File Find".
inline const QStringList kFileSearchTools{QStringLiteral("catfish"), QStringLiteral("kfind"),
                                          QStringLiteral("gnome-search-tool"), QStringLiteral("searchmonkey")};

struct ProgramCommand
{
    QString program; // full path
    QStringList arguments;

    bool operator==(const ProgramCommand &) const = default;
};

// The first installed file-search tool, started on the directory; none when no tool is installed.
std::optional<ProgramCommand> FileSearchCommand(ProgramStarter &programs, const QString &directory);

// The list "View List" opens: the tree list, else the table list, else the text list;
// only the value 1 switches a list on. None when all three are off.
std::optional<QString> ListToView(const Settings &settings);

// The commands that hand work to other programs. Each reads the settings at the moment
// it runs, and tells the user in one short message when it could not start anything.
class Launchers
{
public:
    Launchers(const Settings &settings, Desktop &desktop) : settings_(settings), desktop_(desktop) {}

    // "Go": prefix is the chosen link's address prefix, none when the link box names no link.
    void goToWebPage(const QString &title, const QString &author, const std::optional<QString> &prefix);
    void fileFind();
    void winExplorer();
    void viewList();
    void editBrowserLinks(const QString &linksFile);

private:
    bool checkEbookDirectory();
    void open(const QString &path, const QString &whatFailed);

    const Settings &settings_;
    Desktop &desktop_;
};
