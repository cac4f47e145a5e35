#pragma once

#include <QString>

#include <optional>

class MessageBox;

// Links.txt of the user: the copy in the working folder when there is one, else the file
// shipped beside the program. Edits always go to the user's copy, so they need no write
// access to the program's folder and survive reinstalling.

// The links file to read: userFolder's Links.txt when present, else programFolder's.
QString LinksFileToRead(const QString &userFolder, const QString &programFolder);
// The links file to edit: userFolder's Links.txt, copied from programFolder's first when
// the user has none (made empty when nothing ships either, so the editor has a file to open).
// When the user's copy cannot be made, says why and gives none.
std::optional<QString> LinksFileToEdit(const QString &userFolder, const QString &programFolder,
                                       MessageBox &messages);

// The same for this run: the working folder (the current directory) and the program's folder.
QString LinksFileToRead();
std::optional<QString> LinksFileToEdit(MessageBox &messages);
