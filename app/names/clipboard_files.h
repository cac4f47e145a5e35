#pragma once

#include "names/extrapolation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Clipboard;
class CommentLookup;
class QMimeData;

// The formats in which file managers put copied files on the clipboard.
inline constexpr char kUriListFormat[] = "text/uri-list";
inline constexpr char kGnomeCopiedFilesFormat[] = "x-special/gnome-copied-files";

// The local paths of a text/uri-list (one address a line, "#" lines are comments), in
// order. File addresses are percent-decoded as UTF-8; other addresses are left out.
QStringList PathsFromUriList(const QByteArray &uriList);
// The same for GNOME's format: "copy" or "cut" on the first line, then one address a line.
QStringList PathsFromGnomeCopiedFiles(const QByteArray &data);

// The file a drag brings for analysis: its first address, when that is a file on this
// machine and not a folder.
std::optional<QString> DroppedFilePath(const QMimeData &data);

// The copied files on the clipboard, uri-list first; empty when it holds none.
QStringList ClipboardGetFiles(Clipboard &clipboard);

// The text the analysis gets: the paths joined with CR LF, or the "no files" text.
QString ClipboardText(const QStringList &paths);

// One look at the clipboard: copied files are analysed against current, the new File Info
// frame is shown, and then the clipboard is emptied. False when nothing was analysed.
// analysedPath, when given, receives the path of the file shown (the last one copied).
bool PollClipboard(Clipboard &clipboard, const FileInfo &current, CommentLookup *lookup,
                   const std::function<void(const FileInfo &)> &show, QString *analysedPath = nullptr);
