#pragma once

#include "platform/database_opener.h"

#include <QStringList>

class FakeDatabaseOpener final : public DatabaseOpener
{
public:
    bool canOpen = true;
    QStringList opened;
    bool openDatabase(const QString &path) override
    {
        opened << path;
        return canOpen;
    }
};
