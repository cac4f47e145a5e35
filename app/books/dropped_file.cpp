#include "books/dropped_file.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

std::optional<QString> DroppedFilePath(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return std::nullopt;
    const QString path = urls.first().toLocalFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}
