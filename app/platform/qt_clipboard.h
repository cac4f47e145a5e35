#pragma once

#include "platform/clipboard.h"

// The system clipboard of the running Qt application.
class QtClipboard final : public Clipboard
{
public:
    bool hasFormat(const QString &mimeType) override;
    QByteArray data(const QString &mimeType) override;
    void clear() override;
    void onChanged(QObject *context, std::function<void()> handler) override;
    // X11 (with its selection-change extension) and Wayland report changes.
    bool reportsChanges() const override;
    bool readableOnlyInFront() const override;
};
