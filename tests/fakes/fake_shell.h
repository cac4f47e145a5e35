#pragma once

#include "platform/shell.h"

#include <QList>

// Remembers what it was asked to open; answers as told.
class FakeShell final : public Shell
{
public:
    QList<QUrl> opened;
    bool succeeds = true;

    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return succeeds;
    }
};
