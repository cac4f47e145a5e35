#pragma once

#include <QUrl>

// The desktop's default open action for an address, a document or a folder.
class Shell
{
public:
    virtual ~Shell() = default;
    // False when the desktop has nothing that could open it.
    virtual bool openUrl(const QUrl &url) = 0;
};
