#include "comments/windows/comment_box.h"

#include "comments/comment_data_source.h"
#include "comments/windows/rich_text.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalBlocker>

namespace {

const QString kComment = QStringLiteral("Comment");

} // namespace

CommentBox::CommentBox(CommentDataSource &source, QWidget *parent)
    : QTextEdit(parent), m_source(source), m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("RichTextBox1"));
    setAccessibleName(QStringLiteral("Comment"));
    setToolTip(QStringLiteral("The comment; right-click for the edit and font menu"));
    setAccessibleDescription(toolTip());
    // A word longer than the line (a web address, pasted data) wraps instead of running off.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_menu->setObjectName(QStringLiteral("RTFPopUp"));
    addEditCommand(QStringLiteral("C&ut"), QStringLiteral("mnuRTFPopCut"), &QTextEdit::cut);
    addEditCommand(QStringLiteral("&Copy"), QStringLiteral("mnuRTFPopCopy"), &QTextEdit::copy);
    addEditCommand(QStringLiteral("&Paste"), QStringLiteral("mnuRTFPopPaste"), &QTextEdit::paste);
    m_menu->addSeparator()->setObjectName(QStringLiteral("seperator1"));
    addEditCommand(QStringLiteral("&Undo"), QStringLiteral("mnuRTFPopUndo"), &QTextEdit::undo);
    QAction *font = m_menu->addAction(QStringLiteral("&Font"), this, &CommentBox::fontRequested);
    font->setObjectName(QStringLiteral("mnuRTFPopFont"));

    connect(&source, &CommentDataSource::currentChanged, this, &CommentBox::showRecord);
    connect(&source, &CommentDataSource::currentValuesChanged, this, &CommentBox::showEditFromElsewhere);
    connect(this, &QTextEdit::textChanged, this, &CommentBox::writeEdit);
    showRecord();
}

void CommentBox::addEditCommand(const QString &caption, const QString &name, void (QTextEdit::*command)())
{
    QAction *action = m_menu->addAction(caption, this, [this, command] {
        if (m_beforeEdit)
            m_beforeEdit();
        (this->*command)();
    });
    action->setObjectName(name);
}

// A box out of sight (a hidden window, another tab) lays out its document only once it shows:
// at start-up neither box is in sight.
void CommentBox::showRecord()
{
    m_shown = m_source.value(kComment);
    m_outOfDate = !isVisible();
    if (m_outOfDate)
        return;
    const QSignalBlocker blocker(this);
    const std::optional<QString> preview = LongCommentPreview(m_shown);
    m_preview = preview.has_value();
    setReadOnly(!m_source.hasCurrentRecord() || m_preview);
    if (m_preview)
        setPlainText(*preview);
    else
        ShowComment(this, m_shown);
}

void CommentBox::showEvent(QShowEvent *event)
{
    if (m_outOfDate)
        showRecord();
    QTextEdit::showEvent(event);
}

// A command (Add New) may set the comment; what the box itself wrote is already shown.
void CommentBox::showEditFromElsewhere()
{
    if (m_source.value(kComment) != m_shown)
        showRecord();
}

void CommentBox::writeEdit()
{
    if (!m_source.hasCurrentRecord() || m_outOfDate || m_preview)
        return;
    m_shown = toPlainText().isEmpty() ? QString() : toHtml();
    m_source.setValue(kComment, m_shown);
}

void CommentBox::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::RightButton) {
        m_menu->popup(event->globalPosition().toPoint());
        return;
    }
    QTextEdit::mousePressEvent(event);
}

void CommentBox::contextMenuEvent(QContextMenuEvent *event)
{
    // Opened on the press already; a keyboard request opens it here.
    if (event->reason() != QContextMenuEvent::Mouse)
        m_menu->popup(event->globalPos());
}
