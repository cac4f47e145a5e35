#pragma once

#include <QString>
#include <optional>

class CommentLookup;

// What the clipboard poll hands over when the clipboard holds no file list.
inline constexpr char kNoFilesInClipboard[] = "<no files in clipboard>";

// The comment indicator: green when the comment table holds a record for the file.
enum class Indicator { Grey, Green };

// The File Info frame: the three fields and the indicator.
struct FileInfo
{
    QString file;
    QString author;
    QString title;
    Indicator indicator = Indicator::Grey;

    bool operator==(const FileInfo &) const = default;
};

struct Analysis
{
    FileInfo info;               // the frame after the analysis
    bool emptyClipboard = false; // true once a path was analysed
};

struct AuthorTitle
{
    QString author;
    QString title;
};

// Analyses the clipboard text (one path, or several joined by line breaks: the last
// one counts) and returns the frame's new content. Fields that no rule sets keep
// their value in `current`. Nothing changes, and the clipboard keeps its content,
// for an empty text, a text ending in the separator, or kNoFilesInClipboard.
// The file is looked up in `lookup` (none: no table, grey).
Analysis ExtrapolateAuthorTitle(const QString &text, const FileInfo &current, CommentLookup *lookup,
                                QChar separator = QLatin1Char('/'));

// The words that the folder name and the file name share become the author, the
// file name's other words the title (an emptied word leaves two spaces). Nothing
// when no word is shared.
std::optional<AuthorTitle> MatchFolderWords(const QString &folder, const QString &name);
