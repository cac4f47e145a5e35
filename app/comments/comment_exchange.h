#pragma once

#include <QString>

#include <functional>
#include <optional>

class CommentCommands;
class CommentDataSource;
class DirectoryPicker;
class MessageBoxes;
class Progress;

// The plain text of a stored comment (the window's rich-text document).
using CommentPlainText = std::function<QString(const QString &comment)>;

inline constexpr char kExportCsvFileName[] = "Comments.csv";

// Export Database and Import Database of the comment database window. Both ask for a folder
// (a cancelled chooser does nothing) and say what they did.
//
// Export writes a consistent copy of the database (SQLite's backup, safe while the windows
// have it open) and Comments.csv (RFC 4180, UTF-8, header Author,Title,Genre,File,Comment,
// the comment as plain text); it asks before replacing either file.
// Import reads the folder's db25.mdb, or else its Comments.csv, and adds the records whose
// five values are not already in the table, all in one transaction, showing its progress and
// letting the windows' events run between slices; a cancel adds nothing.
class CommentExchange
{
public:
    CommentExchange(CommentDataSource &source, CommentCommands &commands, MessageBoxes &messages,
                    DirectoryPicker &picker, Progress &progress, CommentPlainText plainText);

    void exportDatabase();
    void importDatabase();

private:
    // The chosen folder as shown to the user, and the two files in it.
    struct Folder
    {
        QString shown;
        QString database;
        QString csv;
    };
    std::optional<Folder> chooseFolder();
    bool isTheDatabaseInUse(const QString &path) const;

    CommentDataSource &source_;
    CommentCommands &commands_;
    MessageBoxes &messages_;
    DirectoryPicker &picker_;
    Progress &progress_;
    CommentPlainText plainText_;
};

// A stored comment for a plain text: the text as one paragraph, its line breaks kept.
QString PlainTextToCommentHtml(const QString &plain);
