#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Lets a window (any of its tabs and fields) take a book file dropped from the file manager.
// A drag that brings addresses is the window's: a local file is taken and handed on, while
// folders and addresses of other machines are refused with the forbidden cursor. Drags of
// plain text still go to the field under the pointer.
class BookDrop : public QObject
{
    Q_OBJECT

public:
    BookDrop(QWidget *window, std::function<void(const QString &path)> dropped);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> dropped_;
};
