#pragma once

#include "platform/clipboard.h"

#include <QHash>

// A clipboard holding data by format; counts how often it was read and emptied.
class FakeClipboard final : public Clipboard
{
public:
    QHash<QString, QByteArray> content;
    int clears = 0;
    std::function<void()> changed;
    bool reports = false;
    bool onlyInFront = false;
    // As on Wayland: emptying reports the change at once, while the other program's offer
    // is still what the clipboard shows.
    bool clearEchoesOldOffer = false;

    bool hasFormat(const QString &mimeType) override { return content.contains(mimeType); }
    QByteArray data(const QString &mimeType) override { return content.value(mimeType); }
    void clear() override
    {
        ++clears;
        if (!clearEchoesOldOffer)
            content.clear();
        else if (changed)
            changed();
    }
    void onChanged(QObject *, std::function<void()> handler) override { changed = std::move(handler); }
    bool reportsChanges() const override { return reports; }
    bool readableOnlyInFront() const override { return onlyInFront; }
};
