#pragma once

#include "platform/database_opener.h"

// A database browser for SQLite files where one is installed, else the desktop's handler
// for the file's type.
class QtDatabaseOpener final : public DatabaseOpener
{
public:
    bool openDatabase(const QString &path) override;
};
