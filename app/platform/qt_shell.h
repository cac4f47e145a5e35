#pragma once

#include "platform/shell.h"

class QtShell final : public Shell
{
public:
    bool openUrl(const QUrl &url) override;
};
