#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtClipboard::hasFormat(const QString &mimeType)
{
    const QMimeData *content = QGuiApplication::clipboard()->mimeData();
    return content && content->hasFormat(mimeType);
}

QByteArray QtClipboard::data(const QString &mimeType)
{
    const QMimeData *content = QGuiApplication::clipboard()->mimeData();
    return content ? content->data(mimeType) : QByteArray();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::onChanged(QObject *context, std::function<void()> handler)
{
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, context, std::move(handler));
}
