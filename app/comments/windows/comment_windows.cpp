#include "comments/windows/comment_windows.h"

#include "comments/windows/comment_box.h"
#include "comments/windows/comments_tab.h"

CommentWindows::CommentWindows(CommentDataSource &mainComments, CommentDbWindow::Services services, QWidget *mainWindow)
    : QObject(mainWindow), m_mainComments(mainComments), m_services(std::move(services)),
      m_tab(new CommentsTab(mainComments, m_services.messages, m_services.controls, m_services.utilities,
                            [this] { showAdvanced(); }, mainWindow))
{
    m_services.refreshMain = [this] {
        if (m_mainComments.isOpen() && !m_mainComments.refresh())
            m_tab->commands().reportFailure();
    };
    connect(m_tab->commentBox(), &CommentBox::fontRequested, this, &CommentWindows::showFontWindow);
    // On the Comments page the box takes the focus before an edit command.
    m_tab->commentBox()->setBeforeEditCommand([this] {
        if (m_tab->isVisible())
            m_tab->commentBox()->setFocus();
    });
}

CommentWindows::~CommentWindows()
{
    unload();
}

void CommentWindows::unload()
{
    m_commentDb.reset();
    m_font.reset();
}

void CommentWindows::loadCommentDb()
{
    if (m_commentDb)
        return;
    // Both windows open the same file.
    m_commentDb.make(m_mainComments.databasePath(), m_services);
    connect(m_commentDb->commentBox(), &CommentBox::fontRequested, this, &CommentWindows::showFontWindow);
}

void CommentWindows::showAdvanced()
{
    loadCommentDb();
    m_commentDb->showAdvanced();
}

void CommentWindows::showFontWindow()
{
    if (!m_font)
        m_font.make([this] { return fontTarget(); }, m_services.controls);
    m_font->show();
    m_font->raise();
}

QTextEdit *CommentWindows::fontTarget() const
{
    const bool commentDbVisible = m_commentDb && m_commentDb->isVisible();
    return FontTarget(commentDbVisible) == CommentBoxTarget::CommentDatabaseWindow ? m_commentDb->commentBox()
                                                                                  : m_tab->commentBox();
}

bool CommentWindows::commitAll()
{
    if (m_commentDb && !m_commentDb->commands().commitBeforeClose())
        return false;
    return m_tab->commands().commitBeforeClose();
}
