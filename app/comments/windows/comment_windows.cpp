#include "comments/windows/comment_windows.h"

#include "comments/windows/comment_box.h"
#include "comments/windows/comments_tab.h"
#include "comments/windows/font_options_window.h"


CommentWindows::CommentWindows(CommentDataSource &data1, CommentDbWindow::Services services, QWidget *mainWindow)
    : QObject(mainWindow), m_data1(data1), m_services(std::move(services)), m_mainWindow(mainWindow),
      m_tab(new CommentsTab(data1, m_services.messages, m_services.controls, m_services.utilities,
                            [this] { showAdvanced(); }))
{
    m_services.refreshMain = [this] {
        if (m_data1.isOpen() && !m_data1.refresh())
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

FontOptionsWindow *CommentWindows::fontWindow() const
{
    return m_font;
}

void CommentWindows::unload()
{
    delete m_commentDb;
    delete m_font;
}

void CommentWindows::loadCommentDb()
{
    if (m_commentDb)
        return;
    // Both windows open the same file.
    m_commentDb = new CommentDbWindow(m_data1.databasePath(), m_services);
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
        m_font = new FontOptionsWindow([this] { return fontTarget(); }, m_services.controls);
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
