#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"

#include "comments/access_like.h"
#include "comments/comment_schema.h"
#include "comments/sqlite_handle.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

namespace {

// Long enough to ride out the other window's write, short enough not to freeze the program.
constexpr int kBusyTimeoutMs = 1000;
// Room for the pages of a large table, so that a search per keystroke rereads none of them
// from the file (SQLite takes a negative size in KiB and grows the cache only as it reads).
constexpr int kPageCacheKiB = 64 * 1024;

quint64 nextRecordSetId()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

QString nextConnectionName()
{
    static std::atomic<int> last{0};
    return QStringLiteral("shelvana-comments-%1").arg(++last);
}

int fieldIndex(const QString &name)
{
    for (size_t i = 0; i < kCommentFieldNames.size(); ++i) {
        if (name.compare(QLatin1String(kCommentFieldNames[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString fieldList()
{
    QStringList names;
    for (const char *name : kCommentFieldNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
}

// An empty text that stays distinct from "no value" when bound.
QString nonNullText(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

std::optional<QString> textOf(const std::optional<QByteArray> &stored)
{
    return stored ? std::optional<QString>(nonNullText(QString::fromUtf8(*stored))) : std::nullopt;
}

QVariant bindable(const std::optional<QString> &value)
{
    return value ? QVariant(nonNullText(*value)) : QVariant(QMetaType::fromType<QString>());
}

// The record set query for a record source: a table name, or an Access query of all fields of
// one table ("SELECT * FROM Table1 WHERE ..."), whose tail is kept as it is. The rowid is
// read along, since it is the only way back to the row. Empty when the source is neither.
QString recordSetQuery(const QString &source, QString *table)
{
    static const QRegularExpression tableName(QStringLiteral(R"(^\s*(\[[^\]]+\]|\w+)\s*$)"));
    static const QRegularExpression allFieldsQuery(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+(\[[^\]]+\]|\w+)([\s;].*)?$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatch match = tableName.match(source);
    if (!match.hasMatch())
        match = allFieldsQuery.match(source);
    if (!match.hasMatch())
        return QString();
    *table = match.captured(1);
    return QStringLiteral("SELECT rowid, %1 FROM %2%3").arg(fieldList(), *table, match.captured(2));
}

QString reasonFor(int code, const QString &message)
{
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("the database is locked by another program");
    case SQLITE_READONLY:
        return QStringLiteral("the database file is read-only");
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_IOERR:
        return QStringLiteral("the database file could not be read or written");
    case SQLITE_NOTADB:
        return QStringLiteral("the file is not a database");
    case SQLITE_CORRUPT:
        return QStringLiteral("the database file is damaged");
    case SQLITE_CANTOPEN:
        return QStringLiteral("the database file could not be opened");
    default:
        return message;
    }
}

const QString kCouldNotSave = QStringLiteral("Could not save the record");

} // namespace

CommentDataSource::CommentDataSource(const QString &databasePath)
    : m_path(databasePath), m_connection(nextConnectionName()), m_recordSource(QLatin1String(kCommentTableName))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    // mode=rw: open an existing file only, never create one.
    db.setDatabaseName(QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(m_path, "/"))
                       + QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
}

CommentDataSource::~CommentDataSource()
{
    database().close();
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase CommentDataSource::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool CommentDataSource::open()
{
    if (m_open)
        return refresh();
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
    const QString action = QStringLiteral("Could not open the comment database %1").arg(shownPath);
    if (!QFileInfo(m_path).isFile()) {
        m_error = QStringLiteral("The comment database %1 was not found.").arg(shownPath);
        return false;
    }
    QSqlDatabase db = database();
    if (!db.open())
        return fail(action, db.lastError());
    QString likeError;
    if (!registerAccessLike(db, &likeError)) {
        db.close();
        m_error = action + QStringLiteral(": ") + likeError;
        return false;
    }
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kPageCacheKiB));
    m_open = true;
    if (!reload(action)) {
        m_open = false;
        db.close();
        return false;
    }
    return true;
}

bool CommentDataSource::refresh()
{
    return m_open && reload(QStringLiteral("Could not read the records"));
}

bool CommentDataSource::reload(const QString &action)
{
    m_error.clear();
    QString table;
    const QString text = recordSetQuery(m_recordSource, &table);
    if (text.isEmpty()) {
        m_error = QStringLiteral("The record source is neither a table name nor a query of all fields of one "
                                 "table: %1")
                      .arg(m_recordSource);
        return false;
    }
    std::vector<Record> records;
    if (!readRecords(action, text, &records))
        return false;
    m_records = std::move(records);
    m_table = table;
    m_recordSetId = nextRecordSetId();
    m_current = m_records.empty() ? -1 : 0;
    m_pending = {};
    return true;
}

// Read through SQLite itself: going through QVariant for every field of a large record set
// costs several times the search. The statement is compiled before the pending edits are
// written, so a query the engine rejects changes nothing.
bool CommentDataSource::readRecords(const QString &action, const QString &query, std::vector<Record> *records)
{
    sqlite3 *connection = SqliteHandle(database());
    const QByteArray sql = query.toUtf8();
    sqlite3_stmt *compiled = nullptr;
    const char *rest = nullptr;
    int rc = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &compiled, &rest);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> statement(compiled, sqlite3_finalize);
    if (rc != SQLITE_OK)
        return fail(action, rc, QString::fromUtf8(sqlite3_errmsg(connection)));
    if (!QByteArray(rest).trimmed().isEmpty())
        return fail(action, SQLITE_ERROR, QStringLiteral("a search may hold only one statement"));
    if (!leaveCurrentRecord())
        return false;
    while ((rc = sqlite3_step(compiled)) == SQLITE_ROW) {
        Record record;
        record.rowId = sqlite3_column_int64(compiled, 0);
        record.stored = true;
        for (int i = 0; i < kFieldCount; ++i) {
            if (sqlite3_column_type(compiled, i + 1) == SQLITE_NULL)
                continue;
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(compiled, i + 1));
            record.values[i] = QByteArray(text ? text : "", sqlite3_column_bytes(compiled, i + 1));
        }
        records->push_back(std::move(record));
    }
    if (rc != SQLITE_DONE)
        return fail(action, rc, QString::fromUtf8(sqlite3_errmsg(connection)));
    return true;
}

int CommentDataSource::recordCount() const
{
    return int(m_records.size()) - (isNewRecord() ? 1 : 0);
}

bool CommentDataSource::isNewRecord() const
{
    return m_current >= 0 && !m_records[m_current].stored;
}

CommentDataSource::Values CommentDataSource::currentValues() const
{
    Values values;
    for (int i = 0; i < kFieldCount; ++i)
        values[i] = m_pending[i] ? m_pending[i] : textOf(m_records[m_current].values[i]);
    return values;
}

QString CommentDataSource::value(const QString &field) const
{
    return valueAt(m_current, field);
}

bool CommentDataSource::isNull(const QString &field) const
{
    const int i = fieldIndex(field);
    return m_current < 0 || i < 0 || !currentValues()[i];
}

QString CommentDataSource::valueAt(int index, const QString &field) const
{
    const int i = fieldIndex(field);
    if (i < 0 || index < 0 || index >= int(m_records.size()))
        return QString();
    const std::optional<QString> text = index == m_current ? currentValues()[i] : textOf(m_records[index].values[i]);
    return text.value_or(QString());
}

bool CommentDataSource::setValue(const QString &field, const QString &value)
{
    const int i = fieldIndex(field);
    if (m_current < 0 || i < 0)
        return false;
    const Record &record = m_records[m_current];
    // Putting back what is stored is no edit; an empty field and one without a value look alike.
    if (record.stored && textOf(record.values[i]).value_or(QString()) == value)
        m_pending[i].reset();
    else
        m_pending[i] = nonNullText(value);
    return true;
}

bool CommentDataSource::hasPendingEdits() const
{
    return std::any_of(m_pending.begin(), m_pending.end(), [](const auto &edit) { return edit.has_value(); });
}

void CommentDataSource::cancelUpdate()
{
    m_pending = {};
    if (isNewRecord()) {
        m_records.pop_back();
        m_current = std::min(m_currentBeforeAdd, int(m_records.size()) - 1);
    }
}

bool CommentDataSource::addNew()
{
    if (!m_open)
        return false;
    m_error.clear();
    if (!leaveCurrentRecord())
        return false;
    m_currentBeforeAdd = m_current;
    m_records.push_back(Record());
    m_current = int(m_records.size()) - 1;
    return true;
}

bool CommentDataSource::updateBatch()
{
    if (!m_open || m_current < 0)
        return false;
    m_error.clear();
    return writeCurrentRecord();
}

// A new record nobody typed into is dropped, as a blank row would be.
bool CommentDataSource::leaveCurrentRecord()
{
    if (m_current < 0)
        return true;
    if (isNewRecord() && !hasPendingEdits()) {
        cancelUpdate();
        return true;
    }
    return !hasPendingEdits() || writeCurrentRecord();
}

bool CommentDataSource::writeCurrentRecord()
{
    Record &record = m_records[m_current];
    if (record.stored && !hasPendingEdits())
        return true;
    const Values values = currentValues();
    bool stillThere = false;
    if (record.stored && !updateRecord(record, values, &stillThere))
        return false;
    // A record deleted or changed elsewhere since it was read is saved as a new record rather
    // than written over a row that may now be another record.
    if (!stillThere && !insertRecord(values, &record.rowId))
        return false;
    record.stored = true;
    for (int i = 0; i < kFieldCount; ++i)
        record.values[i] = values[i] ? std::optional<QByteArray>(values[i]->toUtf8()) : std::nullopt;
    m_pending = {};
    return true;
}

QString CommentDataSource::unchangedCondition()
{
    QString condition = QStringLiteral("rowid = ?");
    for (const char *name : kCommentFieldNames)
        condition += QStringLiteral(" AND %1 IS ?").arg(QLatin1String(name));
    return condition;
}

void CommentDataSource::bindUnchangedCondition(QSqlQuery &query, const Record &record) const
{
    query.addBindValue(record.rowId);
    for (const auto &value : record.values)
        query.addBindValue(bindable(textOf(value)));
}

bool CommentDataSource::updateRecord(const Record &record, const Values &values, bool *stillThere)
{
    QStringList assignments;
    for (const char *name : kCommentFieldNames)
        assignments << QStringLiteral("%1 = ?").arg(QLatin1String(name));
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_table, assignments.join(QStringLiteral(", ")),
                                                                   unchangedCondition()));
    for (const auto &value : values)
        query.addBindValue(bindable(value));
    bindUnchangedCondition(query, record);
    if (!query.exec())
        return fail(kCouldNotSave, query.lastError());
    *stillThere = query.numRowsAffected() > 0;
    return true;
}

bool CommentDataSource::insertRecord(const Values &values, qint64 *rowId)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)").arg(m_table, fieldList()));
    for (const auto &value : values)
        query.addBindValue(bindable(value));
    if (!query.exec())
        return fail(kCouldNotSave, query.lastError());
    *rowId = query.lastInsertId().toLongLong();
    return true;
}

bool CommentDataSource::moveFirst()
{
    return moveToClamped(0);
}

bool CommentDataSource::moveLast()
{
    return moveToClamped(std::numeric_limits<qsizetype>::max());
}

bool CommentDataSource::moveNext()
{
    return moveToClamped(qsizetype(m_current) + 1);
}

bool CommentDataSource::movePrevious()
{
    return moveToClamped(std::max(m_current - 1, 0));
}

bool CommentDataSource::moveTo(int index)
{
    if (index < 0 || index >= int(m_records.size()))
        return false;
    return moveToClamped(index);
}

// The target is clamped after leaving, since leaving may drop a blank new record or turn
// a new record into the last stored one.
bool CommentDataSource::moveToClamped(qsizetype index)
{
    if (!m_open || m_records.empty())
        return false;
    m_error.clear();
    if (!leaveCurrentRecord())
        return false;
    if (m_records.empty()) {
        m_current = -1;
        return false;
    }
    m_current = int(std::min(index, qsizetype(m_records.size()) - 1));
    return true;
}

bool CommentDataSource::deleteCurrent()
{
    if (!m_open || m_current < 0)
        return false;
    m_error.clear();
    const Record &record = m_records[m_current];
    if (record.stored) {
        // Only the row as it was read: a row changed since may now be another record.
        QSqlQuery query(database());
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, unchangedCondition()));
        bindUnchangedCondition(query, record);
        if (!query.exec())
            return fail(QStringLiteral("Could not delete the record"), query.lastError());
    }
    m_records.erase(m_records.begin() + m_current);
    m_pending = {};
    m_current = std::min(m_current, int(m_records.size()) - 1);
    return true;
}

CommentBookmark CommentDataSource::bookmark() const
{
    if (m_current < 0 || !m_records[m_current].stored)
        return CommentBookmark();
    return CommentBookmark(m_recordSetId, m_records[m_current].rowId);
}

bool CommentDataSource::setBookmark(const CommentBookmark &bookmark)
{
    if (!m_open || bookmark.isEmpty() || bookmark.m_recordSet != m_recordSetId)
        return false;
    const auto found = std::find_if(m_records.begin(), m_records.end(), [&](const Record &record) {
        return record.stored && record.rowId == bookmark.m_rowId;
    });
    return found != m_records.end() && moveTo(int(found - m_records.begin()));
}

bool CommentDataSource::findFirst(const QString &criterion)
{
    if (!m_open)
        return false;
    m_error.clear();
    static const QRegularExpression equality(QStringLiteral(R"(^\s*\[?(\w+)\]?\s*=\s*'((?:[^']|'')*)'\s*$)"));
    const QRegularExpressionMatch match = equality.match(criterion);
    const int field = match.hasMatch() ? fieldIndex(match.captured(1)) : -1;
    if (field < 0) {
        m_error = QStringLiteral("Cannot search by the criterion %1").arg(criterion);
        return false;
    }
    const QString wanted = match.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"));
    for (int i = 0; i < int(m_records.size()); ++i) {
        const std::optional<QString> text = i == m_current ? currentValues()[field] : textOf(m_records[i].values[field]);
        if (text && text->compare(wanted, Qt::CaseInsensitive) == 0)
            return moveTo(i);
    }
    return false;
}

QString CommentDataSource::findFile(const QString &fileName)
{
    findFirst(FileCriterion(fileName));
    return value(QStringLiteral("File"));
}

bool CommentDataSource::fail(const QString &action, const QSqlError &error)
{
    return fail(action, error.nativeErrorCode().toInt(),
                error.databaseText().isEmpty() ? error.text() : error.databaseText());
}

bool CommentDataSource::fail(const QString &action, int code, const QString &message)
{
    m_error = action + QStringLiteral(": ") + reasonFor(code, message) + QLatin1Char('.');
    return false;
}
