#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A compiled statement, finalized when it goes.
using SqlStatement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)>;

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

// A statement compiled once and run many times with other values, for work done row by row
// (an import). It holds no lock between runs. Made by CommentConnection::prepare, it runs on
// that connection only, while it is open.
class PreparedSql
{
public:
    bool isValid() const { return statement_ != nullptr; }

private:
    friend class CommentConnection;
    SqlStatement statement_{nullptr, nullptr};
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
    // The same, for reading only: every write fails.
    bool openReadOnly(const QString &path);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // A read that needs longer is given up; kNoReadTimeLimit lets every read run to its end.
    void setReadTimeLimit(int milliseconds) { readLimitMs_ = milliseconds; }
    static constexpr int kNoReadTimeLimit = -1;
    // How long a statement waits for another connection's lock before it fails.
    void setBusyTimeout(int milliseconds);

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

    // The statement with a "?" for each value, bound as in BoundSql at each run; invalid
    // when the engine does not take it.
    PreparedSql prepare(const QString &text);
    bool read(PreparedSql &sql, const QVariantList &values, const std::function<void(const SqlRow &)> &onRow);
    std::optional<int> write(PreparedSql &sql, const QVariantList &values);

    // From now on every write fails as it does on a read-only file.
    bool refuseWrites();

    // A consistent copy of the open database into the existing file at path (SQLite's backup,
    // safe while other connections write), whatever that file held before. The copy is
    // complete only when this returns true.
    bool copyTo(const QString &path);

    int errorCode() const { return errorCode_; }
    QString errorMessage() const { return errorMessage_; }

    // The failures a caller puts into words of its own.
    enum class FailureKind { Locked, DiskFull, Other };
    FailureKind failureKind() const;

private:
    bool openFile(const QString &path, int flags);
    bool readRows(sqlite3_stmt *statement, const std::function<void(const SqlRow &)> &onRow);
    std::optional<int> writeRows(sqlite3_stmt *statement);
    int bindPrepared(PreparedSql &sql, const QVariantList &values);
    bool failed(int code);
    void keepFailure(int code, sqlite3 *connection);

    sqlite3 *db_ = nullptr;
    int readLimitMs_ = 3000;
    // Long enough to ride out the other window's write, short enough not to freeze the program.
    int busyTimeoutMs_ = 1000;
    int errorCode_ = 0;
    QString errorMessage_;
};
