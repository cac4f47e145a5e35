#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QObject;

// The desktop's clipboard, read by format (MIME type).
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual bool hasFormat(const QString &mimeType) = 0;
    virtual QByteArray data(const QString &mimeType) = 0;
    virtual void clear() = 0;
    // Calls handler whenever the desktop reports a change (some desktops never do), for as
    // long as context lives.
    virtual void onChanged(QObject *context, std::function<void()> handler) = 0;
};
