#include "comments/comment_connection.h"

#include "comments/access_like.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

// Long enough to ride out the other window's write, short enough not to freeze the program.
constexpr int kBusyTimeoutMs = 1000;
// Room for the pages of a large table, so that a search per keystroke rereads none of them
// from the file (SQLite takes a negative size in KiB and grows the cache only as it reads).
constexpr int kPageCacheKiB = 64 * 1024;

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)>;

int bind(sqlite3_stmt *statement, int index, const QVariant &value)
{
    if (!value.isValid())
        return sqlite3_bind_null(statement, index);
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    const QByteArray text = value.toString().toUtf8();
    return sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// The statement with its values bound; SQLITE_OK or the reason it could not be prepared.
int prepareBound(sqlite3 *db, const BoundSql &sql, Statement *statement)
{
    if (!db)
        return SQLITE_MISUSE;
    const QByteArray text = sql.text.toUtf8();
    sqlite3_stmt *compiled = nullptr;
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &compiled, nullptr);
    statement->reset(compiled);
    for (int i = 0; rc == SQLITE_OK && i < sql.values.size(); ++i)
        rc = bind(compiled, i + 1, sql.values[i]);
    return rc;
}

// Gives up a read that runs longer than the limit: SQLite then ends it with SQLITE_INTERRUPT.
class ReadDeadline
{
public:
    ReadDeadline(sqlite3 *connection, int limitMs) : connection_(connection), limitMs_(limitMs)
    {
        timer_.start();
        sqlite3_progress_handler(connection_, 1000, &ReadDeadline::expired, this);
    }
    ~ReadDeadline() { sqlite3_progress_handler(connection_, 0, nullptr, nullptr); }
    ReadDeadline(const ReadDeadline &) = delete;
    ReadDeadline &operator=(const ReadDeadline &) = delete;

private:
    static int expired(void *self)
    {
        const auto *deadline = static_cast<const ReadDeadline *>(self);
        return deadline->timer_.hasExpired(deadline->limitMs_) ? 1 : 0;
    }
    sqlite3 *connection_;
    int limitMs_;
    QElapsedTimer timer_;
};

} // namespace

qint64 SqlRow::number(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::optional<QByteArray> SqlRow::text(int column) const
{
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL)
        return std::nullopt;
    const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement_, column));
    return QByteArray(value ? value : "", sqlite3_column_bytes(statement_, column));
}

CommentConnection::~CommentConnection()
{
    close();
}

bool CommentConnection::open(const QString &path)
{
    close();
    // An absolute path is never read as a "file:" URI.
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        errorCode_ = rc;
        errorMessage_ = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    QString likeError;
    if (!registerAccessLike(db_, &likeError)) {
        errorCode_ = sqlite3_errcode(db_);
        errorMessage_ = likeError;
        close();
        return false;
    }
    sqlite3_exec(db_, QByteArray("PRAGMA cache_size = -" + QByteArray::number(kPageCacheKiB)).constData(), nullptr,
                 nullptr, nullptr);
    return true;
}

void CommentConnection::close()
{
    sqlite3_close(db_);
    db_ = nullptr;
}

bool CommentConnection::check(const BoundSql &sql)
{
    Statement statement(nullptr, sqlite3_finalize);
    const int rc = prepareBound(db_, sql, &statement);
    return rc == SQLITE_OK || failed(rc);
}

bool CommentConnection::read(const BoundSql &sql, const std::function<void(const SqlRow &)> &onRow)
{
    Statement statement(nullptr, sqlite3_finalize);
    int rc = prepareBound(db_, sql, &statement);
    if (rc != SQLITE_OK)
        return failed(rc);
    const ReadDeadline deadline(db_, readLimitMs_);
    const SqlRow row(statement.get());
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW)
        onRow(row);
    return rc == SQLITE_DONE || failed(rc);
}

bool CommentConnection::readNumber(const BoundSql &sql, std::optional<qint64> *number)
{
    Statement statement(nullptr, sqlite3_finalize);
    int rc = prepareBound(db_, sql, &statement);
    if (rc == SQLITE_OK) {
        const ReadDeadline deadline(db_, readLimitMs_);
        rc = sqlite3_step(statement.get());
    }
    if (rc != SQLITE_ROW)
        return failed(rc);
    *number = sqlite3_column_type(statement.get(), 0) == SQLITE_NULL
                  ? std::nullopt
                  : std::optional<qint64>(sqlite3_column_int64(statement.get(), 0));
    return true;
}

std::optional<int> CommentConnection::write(const BoundSql &sql)
{
    Statement statement(nullptr, sqlite3_finalize);
    int rc = prepareBound(db_, sql, &statement);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE) {
        failed(rc);
        return std::nullopt;
    }
    return sqlite3_changes(db_);
}

qint64 CommentConnection::lastInsertedRowId() const
{
    return sqlite3_last_insert_rowid(db_);
}

bool CommentConnection::refuseWrites()
{
    const int rc = sqlite3_exec(db_, "PRAGMA query_only = ON", nullptr, nullptr, nullptr);
    return rc == SQLITE_OK || failed(rc);
}

// SQLite keeps the message of the statement that failed only until the next one.
bool CommentConnection::failed(int code)
{
    errorCode_ = code;
    errorMessage_ = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
    return false;
}
