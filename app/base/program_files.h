#pragma once

#include <QString>

// A file that ships beside the executable ("Links.txt", "Script.txt", the cues).
QString ProgramFile(const QString &name);

// Copies a shipped file into the user's folder, never over an existing file. The copy is
// writable by its owner even when the installed original is read-only. On failure returns
// false and says why in *error.
bool CopyForUser(const QString &source, const QString &target, QString *error = nullptr);
