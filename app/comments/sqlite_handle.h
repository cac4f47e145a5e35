#pragma once

class QSqlDatabase;
struct sqlite3;

// The SQLite connection behind an open QSQLITE database; null for any other.
sqlite3 *SqliteHandle(const QSqlDatabase &db);
