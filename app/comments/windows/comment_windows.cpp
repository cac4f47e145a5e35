#include "comments/windows/comment_windows.h"

#include "comments/windows/comment_box.h"
#include "comments/windows/comments_tab.h"

CommentWindows::CommentWindows(CommentDataSource &mainComments, CommentDbWindow::Services services, QWidget *mainWindow)
    : QObject(mainWindow), mainComments_(mainComments), services_(std::move(services)),
      tab_(new CommentsTab(mainComments, services_.messages, services_.controls, services_.utilities,
                            [this] { showAdvanced(); }, mainWindow))
{
    services_.refreshMain = [this] {
        if (mainComments_.isOpen() && !mainComments_.refresh())
            tab_->commands().reportFailure();
    };
    connect(tab_->commentBox(), &CommentBox::fontRequested, this, &CommentWindows::showFontWindow);
    // On the Comments page the box takes the focus before an edit command.
    tab_->commentBox()->setBeforeEditCommand([this] {
        if (tab_->isVisible())
            tab_->commentBox()->setFocus();
    });
}

CommentWindows::~CommentWindows()
{
    unload();
}

void CommentWindows::unload()
{
    commentDb_.reset();
    font_.reset();
}

void CommentWindows::loadCommentDb()
{
    if (commentDb_)
        return;
    // Both windows open the same file.
    commentDb_.make(mainComments_.databasePath(), services_);
    connect(commentDb_->commentBox(), &CommentBox::fontRequested, this, &CommentWindows::showFontWindow);
}

void CommentWindows::showAdvanced()
{
    loadCommentDb();
    commentDb_->showAdvanced();
}

void CommentWindows::showFontWindow()
{
    if (!font_)
        font_.make([this] { return fontTarget(); }, services_.controls);
    font_->show();
    font_->raise();
}

QTextEdit *CommentWindows::fontTarget() const
{
    const bool commentDbVisible = commentDb_ && commentDb_->isVisible();
    return FontTarget(commentDbVisible) == CommentBoxTarget::CommentDatabaseWindow ? commentDb_->commentBox()
                                                                                  : tab_->commentBox();
}

bool CommentWindows::commitAll()
{
    if (commentDb_ && !commentDb_->commands().commitBeforeClose())
        return false;
    return tab_->commands().commitBeforeClose();
}
