#pragma once

#include <QString>

class QSqlDatabase;
struct sqlite3;

// The SQLite connection behind an open QSQLITE database; null for any other. The handle is
// handed out only while Qt's SQLite plugin runs the same SQLite library as the program (the
// program calls SQLite's functions on it); otherwise *error says so.
sqlite3 *SqliteHandle(const QSqlDatabase &db, QString *error = nullptr);

// Whether an SQLite library with this source id (sqlite_source_id()) is the program's own;
// when not, *error says which two differ.
bool IsProgramsSqlite(const QString &sourceId, QString *error);
