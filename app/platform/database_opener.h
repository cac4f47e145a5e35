#pragma once

#include <QString>

// Opens a database file in the desktop's own database program.
class DatabaseOpener
{
public:
    virtual ~DatabaseOpener() = default;
    // False when nothing on this desktop can open it.
    virtual bool openDatabase(const QString &path) = 0;
};
