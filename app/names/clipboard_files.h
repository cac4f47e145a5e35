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
// Nautilus from 3.30 offers its copied files only as text, under this first line.
inline constexpr char kNautilusClipboardHeader[] = "x-special/nautilus-clipboard";

// The local paths of a text/uri-list (one address a line, "#" lines are comments), in
// order. File addresses are percent-decoded as UTF-8; other addresses are left out.
QStringList PathsFromUriList(const QByteArray &uriList);
// The same for GNOME's format: "copy" or "cut" on the first line, then one address a line.
QStringList PathsFromGnomeCopiedFiles(const QByteArray &data);
// The same for Nautilus's text: its header line, then GNOME's format. Other text holds no files.
QStringList PathsFromNautilusText(const QByteArray &text);

// The file a drag brings for analysis: its first address, when that is a file on this
// machine and not a folder.
std::optional<QString> DroppedFilePath(const QMimeData &data);

// The copied files on the clipboard, uri-list first, then GNOME's format, then Nautilus's
// text; empty when it holds none. Copied text is no file list, even when it reads as a path.
QStringList ClipboardGetFiles(Clipboard &clipboard);

// The text the analysis gets: the paths joined with CR LF, or the "no files" text.
QString ClipboardText(const QStringList &paths);

// Looks at the clipboard for copied files, one look at a time. Emptying the clipboard makes
// some desktops report a change at once, while the other program's offer is still visible
// (Wayland): a look started from inside a look would analyse the same files for ever. So a
// look never nests, and a file list already analysed is not analysed again while it stays on
// the clipboard.
class ClipboardPoll
{
public:
    explicit ClipboardPoll(Clipboard &clipboard);

    // When set, analysed files stay on the clipboard, so that they can be pasted elsewhere.
    void setLeaveFilesOnClipboard(bool leave);

    // One look: copied files not yet analysed are analysed against current, the new File
    // Info frame is shown, and then the clipboard is emptied unless the files are to be left
    // on it. False when nothing was analysed.
    // analysedPath, when given, receives the path of the file shown (the last one copied).
    bool poll(const FileInfo &current, CommentLookup *lookup, const std::function<void(const FileInfo &)> &show,
              QString *analysedPath = nullptr);

private:
    void empty();

    Clipboard &clipboard_;
    QStringList analysed_;
    bool leaveFiles_ = false;
    bool looking_ = false;
};
