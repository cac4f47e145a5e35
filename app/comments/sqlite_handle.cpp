#include "comments/sqlite_handle.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

namespace {

// Asked through the plugin once: the library does not change while the program runs.
bool pluginRunsProgramsSqlite(const QSqlDatabase &db, QString *error)
{
    static QString problem;
    static const bool same = [&db] {
        QSqlQuery query(db);
        const bool asked = query.exec(QStringLiteral("SELECT sqlite_source_id()")) && query.next();
        return asked && IsProgramsSqlite(query.value(0).toString(), &problem);
    }();
    if (!same && error)
        *error = problem.isEmpty() ? QStringLiteral("Qt's SQLite plugin could not tell its SQLite library.") : problem;
    return same;
}

} // namespace

bool IsProgramsSqlite(const QString &sourceId, QString *error)
{
    const QString own = QString::fromLatin1(sqlite3_sourceid());
    if (sourceId == own)
        return true;
    if (error)
        *error = QStringLiteral("Qt's SQLite plugin runs another SQLite library (%1) than the program (%2); "
                                "install the plugin and SQLite of the same distribution release.")
                     .arg(sourceId, own);
    return false;
}

sqlite3 *SqliteHandle(const QSqlDatabase &db, QString *error)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0 || !db.isOpen()) {
        if (error)
            *error = QStringLiteral("The connection is not an open SQLite database.");
        return nullptr;
    }
    if (!pluginRunsProgramsSqlite(db, error))
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}
