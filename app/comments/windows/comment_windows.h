#pragma once

#include "comments/windows/comment_db_window.h"

#include <QObject>
#include <QPointer>

class CommentsTab;
class FontOptionsWindow;
class QTextEdit;

// The comment windows of the main window: the Comments tab's content, the comment database
// window (loaded hidden at start-up, loaded again after its frame closed it) and the font
// window that either comment box's menu opens.
class CommentWindows : public QObject
{
    Q_OBJECT

public:
    // services.refreshMain is supplied here: it refreshes data1.
    CommentWindows(CommentDataSource &data1, CommentDbWindow::Services services, QWidget *mainWindow);
    ~CommentWindows() override;

    CommentsTab *commentsTab() const { return m_tab; }
    CommentDbWindow *commentDb() const { return m_commentDb; }
    FontOptionsWindow *fontWindow() const;

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
    CommentDataSource &m_data1;
    CommentDbWindow::Services m_services;
    QWidget *m_mainWindow;
    CommentsTab *m_tab;
    QPointer<CommentDbWindow> m_commentDb;
    QPointer<FontOptionsWindow> m_font;
};
