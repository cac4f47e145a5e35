#include "comments/sqlite_handle.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

sqlite3 *SqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}
