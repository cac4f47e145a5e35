#include "comments/comment_connection.h"

#include "comments/access_like.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

// Room for the pages of a large table, so that a search per keystroke rereads none of them
// from the file (SQLite takes a negative size in KiB and grows the cache only as it reads).
constexpr int kPageCacheKiB = 64 * 1024;

int bind(sqlite3_stmt *statement, int index, const QVariant &value)
{
    if (!value.isValid())
        return sqlite3_bind_null(statement, index);
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    const QByteArray text = value.toString().toUtf8();
    return sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

int bindAll(sqlite3_stmt *statement, const QVariantList &values)
{
    int rc = SQLITE_OK;
    for (int i = 0; rc == SQLITE_OK && i < values.size(); ++i)
        rc = bind(statement, i + 1, values[i]);
    return rc;
}

// The statement with its values bound; SQLITE_OK or the reason it could not be prepared.
int prepareBound(sqlite3 *db, const BoundSql &sql, SqlStatement *statement)
{
    if (!db)
        return SQLITE_MISUSE;
    const QByteArray text = sql.text.toUtf8();
    sqlite3_stmt *compiled = nullptr;
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &compiled, nullptr);
    statement->reset(compiled);
    return rc == SQLITE_OK ? bindAll(compiled, sql.values) : rc;
}

// Readies a prepared statement for its next run when it goes, whatever its last run left.
class Rewind
{
public:
    explicit Rewind(sqlite3_stmt *statement) : statement_(statement) {}
    ~Rewind() { sqlite3_reset(statement_); }
    Rewind(const Rewind &) = delete;
    Rewind &operator=(const Rewind &) = delete;

private:
    sqlite3_stmt *statement_;
};

// Gives up a read that runs longer than the limit: SQLite then ends it with SQLITE_INTERRUPT.
class ReadDeadline
{
public:
    ReadDeadline(sqlite3 *connection, int limitMs) : connection_(connection), limitMs_(limitMs)
    {
        timer_.start();
        if (limitMs_ != CommentConnection::kNoReadTimeLimit)
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

// An absolute path is never read as a "file:" URI.
QByteArray fileName(const QString &path)
{
    return QFile::encodeName(QFileInfo(path).absoluteFilePath());
}

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
    return openFile(path, SQLITE_OPEN_READWRITE);
}

bool CommentConnection::openReadOnly(const QString &path)
{
    return openFile(path, SQLITE_OPEN_READONLY);
}

bool CommentConnection::openFile(const QString &path, int flags)
{
    close();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(fileName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        keepFailure(rc, db);
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
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

// A prepared statement may outlive the connection: the connection then goes with it.
void CommentConnection::close()
{
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool CommentConnection::check(const BoundSql &sql)
{
    SqlStatement statement(nullptr, sqlite3_finalize);
    const int rc = prepareBound(db_, sql, &statement);
    return rc == SQLITE_OK || failed(rc);
}

bool CommentConnection::read(const BoundSql &sql, const std::function<void(const SqlRow &)> &onRow)
{
    SqlStatement statement(nullptr, sqlite3_finalize);
    const int rc = prepareBound(db_, sql, &statement);
    return rc == SQLITE_OK ? readRows(statement.get(), onRow) : failed(rc);
}

bool CommentConnection::readRows(sqlite3_stmt *statement, const std::function<void(const SqlRow &)> &onRow)
{
    const ReadDeadline deadline(db_, readLimitMs_);
    const SqlRow row(statement);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        onRow(row);
    return rc == SQLITE_DONE || failed(rc);
}

bool CommentConnection::readNumber(const BoundSql &sql, std::optional<qint64> *number)
{
    SqlStatement statement(nullptr, sqlite3_finalize);
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
    SqlStatement statement(nullptr, sqlite3_finalize);
    const int rc = prepareBound(db_, sql, &statement);
    if (rc != SQLITE_OK) {
        failed(rc);
        return std::nullopt;
    }
    return writeRows(statement.get());
}

std::optional<int> CommentConnection::writeRows(sqlite3_stmt *statement)
{
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) {
        failed(rc);
        return std::nullopt;
    }
    return sqlite3_changes(db_);
}

PreparedSql CommentConnection::prepare(const QString &text)
{
    PreparedSql prepared;
    SqlStatement statement(nullptr, sqlite3_finalize);
    const int rc = prepareBound(db_, {text, {}}, &statement);
    if (rc == SQLITE_OK)
        prepared.statement_ = std::move(statement);
    else
        failed(rc);
    return prepared;
}

// SQLITE_OK when the statement is this open connection's and takes the values.
int CommentConnection::bindPrepared(PreparedSql &sql, const QVariantList &values)
{
    sqlite3_stmt *statement = sql.statement_.get();
    if (!db_ || !statement || sqlite3_db_handle(statement) != db_)
        return SQLITE_MISUSE;
    sqlite3_clear_bindings(statement);
    return bindAll(statement, values);
}

bool CommentConnection::read(PreparedSql &sql, const QVariantList &values,
                             const std::function<void(const SqlRow &)> &onRow)
{
    const int rc = bindPrepared(sql, values);
    if (rc != SQLITE_OK)
        return failed(rc);
    const Rewind rewind(sql.statement_.get());
    return readRows(sql.statement_.get(), onRow);
}

std::optional<int> CommentConnection::write(PreparedSql &sql, const QVariantList &values)
{
    const int rc = bindPrepared(sql, values);
    if (rc != SQLITE_OK) {
        failed(rc);
        return std::nullopt;
    }
    const Rewind rewind(sql.statement_.get());
    return writeRows(sql.statement_.get());
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
    keepFailure(code, db_);
    return false;
}

void CommentConnection::keepFailure(int code, sqlite3 *connection)
{
    errorCode_ = code;
    errorMessage_ = QString::fromUtf8(connection ? sqlite3_errmsg(connection) : sqlite3_errstr(code));
}

void CommentConnection::setBusyTimeout(int milliseconds)
{
    busyTimeoutMs_ = milliseconds;
    if (db_)
        sqlite3_busy_timeout(db_, busyTimeoutMs_);
}

bool CommentConnection::copyTo(const QString &path)
{
    if (!db_)
        return failed(SQLITE_MISUSE);
    sqlite3 *copy = nullptr;
    int rc = sqlite3_open_v2(fileName(path).constData(), &copy, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup *backup = sqlite3_backup_init(copy, "main", db_, "main");
        if (!backup) {
            rc = sqlite3_errcode(copy);
        } else {
            const int stepped = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            rc = stepped != SQLITE_DONE ? stepped : finished;
        }
    }
    // The backup leaves its failure on the copy's connection.
    if (rc != SQLITE_OK)
        keepFailure(rc, copy);
    // The copy's last writes happen as it closes.
    const int closed = sqlite3_close(copy);
    if (rc == SQLITE_OK && closed != SQLITE_OK)
        keepFailure(closed, nullptr);
    return rc == SQLITE_OK && closed == SQLITE_OK;
}

CommentConnection::FailureKind CommentConnection::failureKind() const
{
    switch (errorCode_ & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return FailureKind::Locked;
    case SQLITE_FULL:
        return FailureKind::DiskFull;
    default:
        return FailureKind::Other;
    }
}
