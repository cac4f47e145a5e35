#pragma once

#include "platform/shell.h"

#include <QList>
#include <QUrl>

// Remembers what would have been opened; answers as told.
class FakeShell final : public Shell
{
public:
    QList<QUrl> opened;
    bool answer = true;
    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return answer;
    }
};
