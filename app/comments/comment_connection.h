#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A statement with a "?" for each value, bound in order: an invalid QVariant binds no value
// (NULL), a whole number an integer, anything else its text.
struct BoundSql
{
    QString text;
    QVariantList values;
};

// One row of a read, its columns counted from 0.
class SqlRow
{
public:
    explicit SqlRow(sqlite3_stmt *statement) : statement_(statement) {}
    qint64 number(int column) const;
    // The value as stored (UTF-8); nothing for no value.
    std::optional<QByteArray> text(int column) const;

private:
    sqlite3_stmt *statement_;
};

// A data source's one connection to the comment database file, opened by the program itself,
// for its reads and writes alike. The Access LIKE is registered on it, it waits a while for
// the other window's write, and a read that runs longer than the time limit is given up (a
// record set may have no end). No statement stays open between calls. A failure leaves
// SQLite's code and message for the caller to put into words.
class CommentConnection
{
public:
    CommentConnection() = default;
    ~CommentConnection();
    CommentConnection(const CommentConnection &) = delete;
    CommentConnection &operator=(const CommentConnection &) = delete;

    // An existing file only: none is ever created.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    void setReadTimeLimit(int milliseconds) { readLimitMs_ = milliseconds; }

    // Whether the engine takes the statement: its tables and fields exist. Nothing is run.
    bool check(const BoundSql &sql);
    // Hands every row to onRow; false when the statement fails or runs out of time.
    bool read(const BoundSql &sql, const std::function<void(const SqlRow &)> &onRow);
    // The first column of the first row, nothing when it holds no value; false when the read
    // fails or yields no row.
    bool readNumber(const BoundSql &sql, std::optional<qint64> *number);
    // The number of rows the statement changed; nothing when it fails.
    std::optional<int> write(const BoundSql &sql);
    qint64 lastInsertedRowId() const;

    // From now on every write fails as it does on a read-only file.
    bool refuseWrites();

    int errorCode() const { return errorCode_; }
    QString errorMessage() const { return errorMessage_; }

private:
    bool failed(int code);

    sqlite3 *db_ = nullptr;
    int readLimitMs_ = 3000;
    int errorCode_ = 0;
    QString errorMessage_;
};
