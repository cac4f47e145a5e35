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
    // On X11, clearing only gives up a clipboard this program owns; taking it over with
    // empty content first makes clearing empty what another program put there.
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(new QMimeData);
    clipboard->clear();
}

void QtClipboard::onChanged(QObject *context, std::function<void()> handler)
{
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, context, std::move(handler));
}

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

bool QtClipboard::reportsChanges() const
{
    return QGuiApplication::platformName() == QLatin1String("xcb") || onWayland();
}

bool QtClipboard::readableOnlyInFront() const
{
    return onWayland();
}
