#pragma once

#include "comments/comment_commands.h"
#include "names/comment_lookup.h"
#include "names/extrapolation.h"

#include <QWidget>

#include <functional>

class CommentBox;
class CommentDataSource;
class MessageBoxes;
class QLineEdit;
class QtControlLoader;
class RecordNavigator;

// The content of the main window's Comments tab: the fields bound to the main window's data
// source, the comment box, the navigation bar and the seven ButtonComment commands.
class CommentsTab : public QWidget, public CommentLookup
{
    Q_OBJECT

public:
    // utilities: the Utilities tab's File, Author and Title at the moment of Add New.
    // advanced: shows the comment database window.
    CommentsTab(CommentDataSource &comments, MessageBoxes &messages, QtControlLoader *controls,
                std::function<FileInfo()> utilities, std::function<void()> advanced, QWidget *parent = nullptr);

    CommentBox *commentBox() const { return box_; }
    CommentCommands &commands() { return commands_; }
    RecordNavigator *navigator() const { return navigator_; }

    // ButtonComment: the command of the button with this index; others do nothing.
    void buttonComment(int index);

    // The copied-file analysis's lookup: the found record becomes this tab's record. A failed
    // write of the edits on screen is said after the analysis, from the event loop: a box in
    // the middle of reading the clipboard would let the next poll run beneath it.
    QString findFile(const QString &fileName) override;

private:
    CommentDataSource &source_;
    CommentCommands commands_;
    std::function<FileInfo()> utilities_;
    std::function<void()> advanced_;
    CommentBox *box_;
    RecordNavigator *navigator_;
};
