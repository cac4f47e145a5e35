#include "shell/book_drop.h"

#include "names/clipboard_files.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

BookDrop::BookDrop(QWidget *window, std::function<void(const QString &)> dropped)
    : QObject(window)
    , dropped_(std::move(dropped))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    // Fields that take drops themselves would paste the file's address as text.
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->acceptDrops())
            child->installEventFilter(this);
    }
}

bool BookDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drag = static_cast<QDropEvent *>(event);
    if (!drag->mimeData()->hasUrls())
        return QObject::eventFilter(watched, event);
    const std::optional<QString> path = DroppedFilePath(*drag->mimeData());
    if (!path) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (type == QEvent::Drop)
        dropped_(*path);
    return true;
}
