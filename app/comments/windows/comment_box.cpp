#include "comments/windows/comment_box.h"

#include "comments/comment_data_source.h"
#include "comments/windows/rich_text.h"
#include "platform/qt_focus_exit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalBlocker>

namespace {

const QString kComment = QStringLiteral("Comment");

} // namespace

CommentBox::CommentBox(CommentDataSource &source, QWidget *parent)
    : QTextEdit(parent), source_(source), menu_(new QMenu(this))
{
    setObjectName(QStringLiteral("RichTextBox1"));
    setAccessibleName(QStringLiteral("Comment"));
    setToolTip(QStringLiteral("The comment; right-click for the edit and font menu"));
    setAccessibleDescription(toolTip());
    // Tab types a tab into the comment.
    LetCtrlTabLeave(this);
    // A word longer than the line (a web address, pasted data) wraps instead of running off.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    menu_->setObjectName(QStringLiteral("RTFPopUp"));
    addEditCommand(QStringLiteral("C&ut"), QStringLiteral("mnuRTFPopCut"), &QTextEdit::cut);
    addEditCommand(QStringLiteral("&Copy"), QStringLiteral("mnuRTFPopCopy"), &QTextEdit::copy);
    addEditCommand(QStringLiteral("&Paste"), QStringLiteral("mnuRTFPopPaste"), &QTextEdit::paste);
    menu_->addSeparator()->setObjectName(QStringLiteral("seperator1"));
    addEditCommand(QStringLiteral("&Undo"), QStringLiteral("mnuRTFPopUndo"), &QTextEdit::undo);
    QAction *font = menu_->addAction(QStringLiteral("&Font"), this, &CommentBox::fontRequested);
    font->setObjectName(QStringLiteral("mnuRTFPopFont"));

    connect(&source, &CommentDataSource::currentChanged, this, &CommentBox::showRecord);
    connect(&source, &CommentDataSource::currentValuesChanged, this, &CommentBox::showEditFromElsewhere);
    connect(this, &QTextEdit::textChanged, this, &CommentBox::writeEdit);
    showRecord();
}

void CommentBox::addEditCommand(const QString &caption, const QString &name, void (QTextEdit::*command)())
{
    QAction *action = menu_->addAction(caption, this, [this, command] {
        if (beforeEdit_)
            beforeEdit_();
        (this->*command)();
    });
    action->setObjectName(name);
}

// A box out of sight (a hidden window, another tab) lays out its document only once it shows:
// at start-up neither box is in sight.
void CommentBox::showRecord()
{
    shown_ = source_.value(kComment);
    outOfDate_ = !isVisible();
    if (outOfDate_)
        return;
    const QSignalBlocker blocker(this);
    const std::optional<QString> preview = LongCommentPreview(shown_);
    preview_ = preview.has_value();
    setReadOnly(!source_.hasCurrentRecord() || preview_);
    if (preview_)
        setPlainText(*preview);
    else
        ShowComment(this, shown_);
}

void CommentBox::showEvent(QShowEvent *event)
{
    if (outOfDate_)
        showRecord();
    QTextEdit::showEvent(event);
}

// A command (Add New) may set the comment; what the box itself wrote is already shown.
void CommentBox::showEditFromElsewhere()
{
    if (source_.value(kComment) != shown_)
        showRecord();
}

void CommentBox::writeEdit()
{
    if (!source_.hasCurrentRecord() || outOfDate_ || preview_)
        return;
    shown_ = toPlainText().isEmpty() ? QString() : toHtml();
    source_.setValue(kComment, shown_);
}

void CommentBox::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::RightButton) {
        menu_->popup(event->globalPosition().toPoint());
        return;
    }
    QTextEdit::mousePressEvent(event);
}

void CommentBox::contextMenuEvent(QContextMenuEvent *event)
{
    // Opened on the press already; a keyboard request opens it here.
    if (event->reason() != QContextMenuEvent::Mouse)
        menu_->popup(event->globalPos());
}
