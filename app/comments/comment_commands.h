#pragma once

#include <QMetaObject>
#include <QString>

class CommentDataSource;
class MessageBoxes;
struct FileInfo;

enum class RecordCommand { AddNew, Delete, Save, Bookmark, Lastmark, Count };

// The record commands of a comment window on its data source: Add New, Delete, Save,
// Bookmark, Lastmark and Count. Each command's steps run in order and a failing step is
// skipped, except that a write that fails stops the command, says why and keeps the edits.
class CommentCommands
{
public:
    CommentCommands(CommentDataSource &source, MessageBoxes &messages);
    ~CommentCommands();
    CommentCommands(const CommentCommands &) = delete;
    CommentCommands &operator=(const CommentCommands &) = delete;

    // utilities: the Utilities tab's fields, which Add New takes.
    void run(RecordCommand command, const FileInfo &utilities);

    // A new record with the file, author and title of the Utilities tab.
    void addNew(const FileInfo &utilities);
    // Nothing while the record's File is empty.
    void deleteRecord();
    void save();
    void bookmark();
    void lastmark();
    // Moves to the last record and shows the count.
    void count();

    // The Utilities analysis's lookup of a copied file; the edits on screen are written first.
    // When that write fails, *problem says so for the user, who is told once the clipboard
    // has been read.
    QString findFile(const QString &fileName, QString *problem);
    // A message box with the program's title.
    void warn(const QString &text);

    // Writes the pending edits before the window goes; when that fails, asks whether to
    // retry, discard them or stay. False means stay.
    bool commitBeforeClose();

    // After an operation of the data source failed: says why when it kept edits on screen
    // (the write failed) or when `always` is set. False when it said something.
    bool reportFailure(bool always = false);

private:
    // The reason of the last failure, after what could not be done.
    QString failureText(const QString &what) const;

    CommentDataSource &source_;
    MessageBoxes &messages_;
    QMetaObject::Connection savedAsNew_;
};

// The program's title, the title of its message boxes.
inline constexpr char kProgramTitle[] = "Shelvana";

// "Record Count: " and the number.
QString CountText(int count);
