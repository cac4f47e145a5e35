#pragma once

#include "comments/comment_schema.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <sqlite3.h>

#include <array>
#include <memory>
#include <optional>

// Author, Title, Genre, File, Comment; nullopt is a field without a value.
using FixtureRow = std::array<std::optional<QString>, 5>;

inline QVariant fixtureValue(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant();
}

// A connection of its own to a database file (another window, or another program), made
// when there is none, closed when it goes. It waits for no lock.
class TestConnection
{
public:
    explicit TestConnection(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~TestConnection() { sqlite3_close(db_); }
    TestConnection(const TestConnection &) = delete;
    TestConnection &operator=(const TestConnection &) = delete;

    // Runs the statement as far as its first row; a value without content binds NULL.
    bool exec(const QString &sql, const QVariantList &values = {}) const
    {
        const Statement statement = prepare(sql);
        for (int i = 0; statement && i < values.size(); ++i) {
            const QByteArray text = values[i].toString().toUtf8();
            if (values[i].isNull())
                sqlite3_bind_null(statement.get(), i + 1);
            else
                sqlite3_bind_text(statement.get(), i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        const int rc = statement ? sqlite3_step(statement.get()) : SQLITE_ERROR;
        return rc == SQLITE_ROW || rc == SQLITE_DONE;
    }

    // The first column of every row, "<null>" for a field without a value.
    QStringList column(const QString &sql) const
    {
        QStringList texts;
        const Statement statement = prepare(sql);
        while (statement && sqlite3_step(statement.get()) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement.get(), 0));
            texts << (text ? QString::fromUtf8(text, sqlite3_column_bytes(statement.get(), 0)) : QStringLiteral("<null>"));
        }
        return texts;
    }

    sqlite3 *handle() const { return db_; }
    QString errorMessage() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

private:
    using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)>;
    Statement prepare(const QString &sql) const
    {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &statement, nullptr);
        return Statement(statement, sqlite3_finalize);
    }

    sqlite3 *db_ = nullptr;
};

// A db25.mdb with Table1 and the given rows in a temporary folder.
class CommentDatabase
{
public:
    explicit CommentDatabase(const QList<FixtureRow> &rows = {})
    {
        TestConnection connection(path());
        connection.exec(QString::fromLatin1(kCreateCommentTable));
        connection.exec(QStringLiteral("BEGIN"));
        for (const FixtureRow &row : rows) {
            QVariantList values;
            for (const auto &field : row)
                values << fixtureValue(field);
            connection.exec(QStringLiteral("INSERT INTO Table1 VALUES (?, ?, ?, ?, ?)"), values);
        }
        connection.exec(QStringLiteral("COMMIT"));
    }
    QString path() const { return dir_.filePath(QString::fromLatin1(kCommentDatabaseFileName)); }
    QString folder() const { return dir_.path(); }
    // What the table holds now, read through a connection of its own.
    QStringList column(const QString &field) const
    {
        return TestConnection(path()).column(QStringLiteral("SELECT %1 FROM Table1 ORDER BY rowid").arg(field));
    }

private:
    QTemporaryDir dir_;
};

inline FixtureRow fileRow(const QString &file, const QString &author = QStringLiteral("A"))
{
    return {author, QStringLiteral("T"), QStringLiteral("G"), file, QStringLiteral("<p>c</p>")};
}

// Rows whose File is "0.epub", "1.epub" and so on, in rowid order.
inline QList<FixtureRow> numberedRows(int count)
{
    QList<FixtureRow> rows;
    for (int i = 0; i < count; ++i)
        rows << fileRow(QStringLiteral("%1.epub").arg(i));
    return rows;
}

// Numbered rows whose Author is "A", but "Zed" for the rows 10, 10000 and 19990 and "Yu" for
// the others from 18000 on: searches whose matches lie far apart in a table too long to be
// looked through in one slice of reading.
inline QList<FixtureRow> farApartRows()
{
    QList<FixtureRow> rows = numberedRows(20000);
    for (int i = 18000; i < 20000; ++i)
        rows[i][0] = QStringLiteral("Yu");
    for (int i : {10, 10000, 19990})
        rows[i][0] = QStringLiteral("Zed");
    return rows;
}
