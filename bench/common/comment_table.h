#pragma once

// Comment databases for the benchmarks, made and read straight through SQLite.
#include "comments/comment_schema.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sqlite3.h>

#include <array>
#include <functional>
#include <memory>

using SqliteConnection = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>;

// A connection to an existing database file; null when it cannot be opened.
inline SqliteConnection OpenSqlite(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        db = nullptr;
    }
    return SqliteConnection(db, sqlite3_close);
}

// Record i's Author, Title, Genre, File and Comment as UTF-8.
using CommentRecordMaker = std::function<std::array<QByteArray, 5>(int index)>;

namespace comment_table_detail {

inline bool execute(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

inline bool insert(sqlite3_stmt *statement, const std::array<QByteArray, 5> &values)
{
    for (int i = 0; i < 5; ++i) {
        if (sqlite3_bind_text(statement, i + 1, values[i].constData(), int(values[i].size()), SQLITE_TRANSIENT)
            != SQLITE_OK)
            return false;
    }
    return sqlite3_step(statement) == SQLITE_DONE && sqlite3_reset(statement) == SQLITE_OK;
}

// In one transaction, without a journal: a million rows in seconds.
inline bool fill(sqlite3 *db, int records, const CommentRecordMaker &record)
{
    sqlite3_stmt *statement = nullptr;
    bool done = execute(db, "PRAGMA journal_mode = OFF") && execute(db, "PRAGMA synchronous = OFF")
                && execute(db, kCreateCommentTable) && execute(db, "BEGIN")
                && sqlite3_prepare_v2(db, "INSERT INTO Table1 VALUES (?, ?, ?, ?, ?)", -1, &statement, nullptr)
                       == SQLITE_OK;
    for (int i = 0; done && i < records; ++i)
        done = insert(statement, record(i));
    sqlite3_finalize(statement);
    return done && execute(db, "COMMIT");
}

} // namespace comment_table_detail

// A new database file at path holding the comment table with that many records.
inline bool MakeCommentDatabase(const QString &path, int records, const CommentRecordMaker &record)
{
    sqlite3 *db = nullptr;
    bool done = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                nullptr)
                    == SQLITE_OK
                && comment_table_detail::fill(db, records, record);
    return sqlite3_close(db) == SQLITE_OK && done;
}
