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
    // Calls handler whenever the desktop reports a change, for as long as context lives.
    virtual void onChanged(QObject *context, std::function<void()> handler) = 0;
    // Whether the desktop reports changes at all; where it does not, the clipboard is polled.
    virtual bool reportsChanges() const = 0;
    // Whether the clipboard can be read only while one of this program's windows is in front
    // (Wayland): files copied elsewhere are found when the program comes to the front.
    virtual bool readableOnlyInFront() const = 0;
};
