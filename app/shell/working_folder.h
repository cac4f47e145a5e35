#pragma once

#include <QString>

class MessageBox;

// The folder the program works in: where Path.txt and db25.mdb are opened by their bare
// names and where the user's own Links.txt lives. A folder that already holds the settings
// or the comment database (the build folder, a portable copy) is used as it is; anywhere
// else the program works in the user's data folder, so that a start from the desktop menu
// never writes into whatever folder the menu happens to start it in.

// $XDG_DATA_HOME/shelvana when XDG_DATA_HOME is an absolute path, else
// <home>/.local/share/shelvana (a relative XDG_DATA_HOME is ignored, as the XDG rules say).
QString UserDataFolder(const QString &xdgDataHome, const QString &home);
// The same for this user, from the environment.
QString UserDataFolder();

// True when the folder holds Path.txt or db25.mdb.
bool HoldsProgramData(const QString &folder);

// Picks the working folder: `current` when it holds the program's data, else `userFolder`,
// made when missing and given a copy of `databaseTemplate` as its db25.mdb unless it has one
// (an existing database is never replaced). Returns the folder, or an empty string when the
// user folder cannot be made. *problem says what went wrong, also when only the database
// could not be put in place (the folder is still used then).
QString PrepareWorkingFolder(const QString &current, const QString &userFolder,
                             const QString &databaseTemplate, QString *problem);

// Prepares the working folder (see PrepareWorkingFolder) and makes it the current directory.
// When there is no folder to work in, says why and returns false: the program then ends
// rather than read and write the settings and comments of the folder it was started in.
// A database that could not be put in place is said too, and the folder is used.
bool EnterWorkingFolder(const QString &current, const QString &userFolder, const QString &databaseTemplate,
                        MessageBox &messages);
// The same for this run: the template is the db25.mdb beside the program. Needs the
// application object.
bool EnterWorkingFolder(MessageBox &messages);
