#pragma once

#include <QTextEdit>

class CommentDataSource;
class QMenu;

// RichTextBox1: the comment of the current record as a rich-text document. What is typed
// (and formatting applied) becomes a pending edit of the Comment field. The right button
// opens the pop-up menu RTFPopUp: Cut, Copy, Paste, Undo and Font.
class CommentBox : public QTextEdit
{
    Q_OBJECT

public:
    CommentBox(CommentDataSource &source, QWidget *parent = nullptr);

    QMenu *popUpMenu() const { return menu_; }
    // Called before Cut, Copy, Paste and Undo: the window may move the focus to the box.
    void setBeforeEditCommand(std::function<void()> before) { beforeEdit_ = std::move(before); }

signals:
    void fontRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showRecord();
    void showEditFromElsewhere();
    void writeEdit();
    void addEditCommand(const QString &caption, const QString &name, void (QTextEdit::*command)());

    CommentDataSource &source_;
    QMenu *menu_;
    QString shown_;
    bool outOfDate_ = false;
    // A comment too long to show as it is: a read-only preview, never written back.
    bool preview_ = false;
    std::function<void()> beforeEdit_;
};
