#pragma once

#include "comments/windows/comment_db_window.h"
#include "comments/windows/font_options_window.h"
#include "platform/qt_owned_window.h"

#include <QObject>

class CommentsTab;
class QTextEdit;

// The comment windows of the main window: the Comments tab's content, the comment database
// window (loaded hidden at start-up, loaded again after its frame closed it) and the font
// window that either comment box's menu opens.
class CommentWindows : public QObject
{
    Q_OBJECT

public:
    // services.refreshMain is supplied here: it refreshes mainComments.
    CommentWindows(CommentDataSource &mainComments, CommentDbWindow::Services services, QWidget *mainWindow);
    ~CommentWindows() override;

    CommentsTab *commentsTab() const { return tab_; }
    CommentDbWindow *commentDb() const { return commentDb_.get(); }
    FontOptionsWindow *fontWindow() const { return font_.get(); }

    // Start-up: the comment database window, loaded and hidden.
    void loadCommentDb();
    // Advanced: loads it where needed, reads its records again and shows it.
    void showAdvanced();
    // Font in either box's menu.
    void showFontWindow();
    // The font window's target: the comment database window's box while it is visible.
    QTextEdit *fontTarget() const;
    // Exit: the comment database and font windows go.
    void unload();
    // Exit: writes the pending edits of both windows; false when the user chose to stay.
    bool commitAll();

private:
    CommentDataSource &mainComments_;
    CommentDbWindow::Services services_;
    CommentsTab *tab_;
    OwnedWindow<CommentDbWindow> commentDb_;
    OwnedWindow<FontOptionsWindow> font_;
};
