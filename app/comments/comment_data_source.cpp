#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"

#include "comments/comment_schema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>

namespace {

quint64 nextRecordSetId()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

QString fieldList()
{
    QStringList names;
    for (const char *name : kCommentFieldNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
}

QVariant bindable(const std::optional<QString> &value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariantList boundValues(const CommentValues &values)
{
    QVariantList bound;
    for (const auto &value : values)
        bound << bindable(value);
    return bound;
}

// The rowid travels with each row under this name; a view's rows have none (it is null).
constexpr char kKey[] = "shelvana_key";
// Rows read at a time: a screenful of a grid and some to spare.
constexpr int kPageSize = 64;
// The sliced count reads rowid ranges that take about this long, so that the events between
// the slices (a keystroke, a repaint) never wait noticeably; the range adapts to the machine
// and the record set.
constexpr qint64 kCountSliceTargetMs = 8;
constexpr qint64 kFirstCountSlice = 4096;
constexpr qint64 kLargestCountSlice = qint64(1) << 24;
// Rows kept read; beyond this the ones farthest from the latest read are dropped.
constexpr int kCacheLimit = 4096;

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
    case SQLITE_INTERRUPT:
        return QStringLiteral("reading the records took too long (the record set may have no end)");
    case SQLITE_CANTOPEN:
        return QStringLiteral("the database file could not be opened");
    default:
        return message;
    }
}

// An Access pattern that matches exactly the given text: each pattern character in brackets.
QString literalPattern(const QString &text)
{
    QString pattern;
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            pattern += QLatin1Char('[') + c + QLatin1Char(']');
        else
            pattern += c;
    }
    return pattern;
}

const QString kCouldNotSave = QStringLiteral("Could not save the record");

} // namespace

CommentDataSource::CommentDataSource(const QString &databasePath, QObject *parent)
    : QObject(parent), m_path(databasePath), m_recordSource(QLatin1String(kCommentTableName)),
      m_filter(RecordFilter(m_recordSource))
{
}

CommentDataSource::~CommentDataSource() = default;

bool CommentDataSource::open()
{
    const bool opened = openDatabase();
    emit openFinished();
    return opened;
}

bool CommentDataSource::openDatabase()
{
    if (m_open)
        return refresh();
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
    const QString action = QStringLiteral("Could not open the comment database %1").arg(shownPath);
    if (!QFileInfo(m_path).isFile()) {
        m_error = QStringLiteral("The comment database %1 was not found.").arg(shownPath);
        return false;
    }
    if (!m_connection.open(m_path))
        return fail(action);
    m_open = true;
    if (!reload(action)) {
        m_open = false;
        m_connection.close();
        return false;
    }
    return true;
}

bool CommentDataSource::refresh()
{
    return m_open && reload(QStringLiteral("Could not read the records"));
}

void CommentDataSource::setRecordSource(const QString &source)
{
    m_recordSource = source;
    m_filter = RecordFilter::fromRecordSource(source);
}

void CommentDataSource::setRecordFilter(const RecordFilter &filter)
{
    m_recordSource = filter.recordSource();
    m_filter = filter;
}

// The edits of the record left are written first; when that fails nothing changes. A query
// that cannot be read leaves an empty record set rather than the rows of the one before,
// which would look like its answer.
bool CommentDataSource::reload(const QString &action)
{
    m_error.clear();
    if (!leaveCurrentRecord())
        return false;
    RecordSetQuery query;
    Rows firstPage;
    const bool read = readFirstPage(action, &query, &firstPage);
    showRecordSet(query, std::move(firstPage), read ? QString() : m_error);
    return read;
}

bool CommentDataSource::readFirstPage(const QString &action, RecordSetQuery *query, Rows *firstPage)
{
    if (!settleQuery(action, query))
        return false;
    m_query = *query;
    if (readRows(keyedRows({}, {}, QStringLiteral("LIMIT %1").arg(kPageSize)), firstPage))
        return true;
    m_error = action + m_error.mid(m_error.indexOf(QLatin1String(": ")));
    return false;
}

void CommentDataSource::showRecordSet(const RecordSetQuery &query, Rows firstPage, const QString &error)
{
    m_query = query;
    m_recordSetError = error;
    m_cache.clear();
    for (int i = 0; i < int(firstPage.size()); ++i)
        m_cache.emplace(i, std::move(firstPage[i]));
    m_readPrefix = int(firstPage.size());
    m_queryCount = m_readPrefix < kPageSize ? std::optional<int>(m_readPrefix) : std::nullopt;
    m_appended.clear();
    m_countedUpTo.reset();
    m_partialCount = 0;
    m_countSlice = kFirstCountSlice;
    m_recordSetId = nextRecordSetId();
    makeCurrent(m_readPrefix > 0 ? 0 : -1);
    emit recordSetChanged();
    emit currentChanged();
}

bool CommentDataSource::settleQuery(const QString &action, RecordSetQuery *query)
{
    if (!m_filter) {
        m_error = QStringLiteral("%1: the record source is neither a table name nor a query of all fields of one "
                                 "table: %2")
                      .arg(action, m_recordSource);
        return false;
    }
    query->table = m_filter->quotedTable();
    query->rows.text = QStringLiteral("SELECT rowid AS %1, %2 FROM %3").arg(QLatin1String(kKey), fieldList(), query->table);
    if (!m_filter->condition().isEmpty())
        query->rows.text += QStringLiteral(" WHERE ") + m_filter->condition();
    const QStringList patterns = m_filter->patterns();
    query->rows.values = QVariantList(patterns.begin(), patterns.end());
    if (const QString invalid = m_filter->patternError(); !invalid.isEmpty()) {
        m_error = invalid;
        return false;
    }
    if (!m_connection.check(query->rows))
        return fail(action);
    // Rows of a table are read in rowid order, which lets a page start at any known row;
    // a view's rows have no rowid and are counted off from the first.
    m_connection.read({QStringLiteral("SELECT type = 'table' FROM sqlite_master WHERE name = ? COLLATE NOCASE"),
                       {m_filter->table()}},
                      [query](const SqlRow &row) { query->keyed = row.number(0) != 0; });
    if (query->keyed) {
        std::optional<qint64> last;
        if (!m_connection.readNumber({QStringLiteral("SELECT max(rowid) FROM %1").arg(query->table), {}}, &last))
            return fail(action);
        query->bound = last.value_or(0);
    }
    return true;
}

// The record set's rows with rowids in (after, upTo] (and up to the refresh's last rowid),
// narrowed further by a condition, with an order and limit clause ("DESC ..." reads backwards).
// The range is given to SQLite as one lower and one upper limit, so that it seeks to it.
BoundSql CommentDataSource::keyedRows(const RowRange &range, const BoundSql &condition,
                                                        const QString &tail) const
{
    if (!m_query.keyed)
        return {QStringLiteral("SELECT * FROM (%1) %2").arg(m_query.rows.text, tail), m_query.rows.values};
    const QString key = QLatin1String(kKey);
    QString where = QStringLiteral("%1 <= %2").arg(key).arg(std::min(range.upTo.value_or(m_query.bound), m_query.bound));
    if (range.after)
        where += QStringLiteral(" AND %1 > %2").arg(key).arg(*range.after);
    if (!condition.text.isEmpty())
        where += QStringLiteral(" AND ") + condition.text;
    QString order = QStringLiteral("ORDER BY %1").arg(key);
    QString limit = tail;
    if (tail.startsWith(QLatin1String("DESC "))) {
        order += QStringLiteral(" DESC");
        limit = tail.mid(5);
    }
    return {QStringLiteral("SELECT * FROM (%1) WHERE %2 %3 %4").arg(m_query.rows.text, where, order, limit),
            m_query.rows.values + condition.values};
}

// Read through SQLite itself: going through QVariant for every field costs several times more.
bool CommentDataSource::readRows(const BoundSql &sql, Rows *rows)
{
    const bool read = m_connection.read(sql, [rows](const SqlRow &row) {
        Record record;
        record.rowId = row.number(0);
        record.stored = true;
        for (int i = 0; i < kFieldCount; ++i)
            record.values[i] = row.text(i + 1);
        rows->push_back(std::move(record));
    });
    return read || fail(QStringLiteral("Could not read the records"));
}

// The first column of the one row; nothing when it holds no value or the read fails.
std::optional<qint64> CommentDataSource::readNumber(const BoundSql &sql)
{
    std::optional<qint64> number;
    if (!m_connection.readNumber(sql, &number))
        fail(QStringLiteral("Could not read the records"));
    return number;
}

std::optional<qint64> CommentDataSource::countRows(const RowRange &range)
{
    const BoundSql rows = keyedRows(range, {}, QString());
    return readNumber({QStringLiteral("SELECT count(*) FROM (%1)").arg(rows.text), rows.values});
}

// Reads the page that holds the position, starting from a neighbour already read when there
// is one, from either end of the set, or else by counting off rows from the first.
bool CommentDataSource::readPageAt(int position)
{
    if (int(m_cache.size()) > kCacheLimit) {
        std::erase_if(m_cache, [position](const auto &entry) { return std::abs(entry.first - position) > kCacheLimit / 2; });
    }
    const auto before = m_cache.find(position - 1);
    const auto after = m_cache.find(position + 1);
    Rows rows;
    int first = position;
    bool forward = true;
    bool read = false;
    if (!m_query.keyed) {
        read = readRows(keyedRows({}, {}, QStringLiteral("LIMIT %1 OFFSET %2").arg(kPageSize).arg(position)),
                        &rows);
    } else if (before != m_cache.end()) {
        read = readRows(keyedRows({before->second.rowId, std::nullopt}, {},
                                  QStringLiteral("LIMIT %1").arg(kPageSize)),
                        &rows);
    } else if (after != m_cache.end()) {
        forward = false;
        read = readRows(keyedRows({std::nullopt, after->second.rowId - 1}, {},
                                  QStringLiteral("DESC LIMIT %1").arg(kPageSize)),
                        &rows);
    } else if (m_queryCount && position >= *m_queryCount - kPageSize) {
        forward = false;
        first = *m_queryCount - 1;
        read = readRows(keyedRows({}, {}, QStringLiteral("DESC LIMIT %1").arg(*m_queryCount - position)), &rows);
    } else {
        read = readRows(keyedRows({}, {}, QStringLiteral("LIMIT %1 OFFSET %2").arg(kPageSize).arg(position)),
                        &rows);
    }
    if (!read)
        return false;
    const int count = int(rows.size());
    for (int i = 0; i < count; ++i)
        m_cache.insert_or_assign(forward ? first + i : first - i, std::move(rows[i]));
    if (forward) {
        if (position <= m_readPrefix)
            m_readPrefix = std::max(m_readPrefix, position + count);
        if (count < kPageSize)
            m_queryCount = position + count;
    }
    return true;
}

bool CommentDataSource::countQueryRows()
{
    if (m_queryCount)
        return true;
    // Only what the sliced count has not reached yet.
    const std::optional<qint64> rest = countRows({m_countedUpTo, std::nullopt});
    if (rest)
        m_queryCount = m_partialCount + int(*rest);
    return rest.has_value();
}

const CommentDataSource::Record *CommentDataSource::recordAt(int position)
{
    if (position < 0 || !m_open)
        return nullptr;
    if (m_queryCount && position >= *m_queryCount) {
        const auto appended = qsizetype(position - *m_queryCount);
        return appended < qsizetype(m_appended.size()) ? &m_appended[appended] : nullptr;
    }
    auto found = m_cache.find(position);
    if (found == m_cache.end() && readPageAt(position))
        found = m_cache.find(position);
    if (found != m_cache.end())
        return &found->second;
    return m_queryCount && position >= *m_queryCount ? recordAt(position) : nullptr;
}

CommentDataSource::Record *CommentDataSource::storedRecordAt(int position)
{
    if (m_queryCount && position >= *m_queryCount) {
        const auto appended = qsizetype(position - *m_queryCount);
        return appended < qsizetype(m_appended.size()) ? &m_appended[appended] : nullptr;
    }
    const auto found = m_cache.find(position);
    return found != m_cache.end() ? &found->second : nullptr;
}

int CommentDataSource::recordCount()
{
    if (!m_open)
        return 0;
    if (!countQueryRows())
        return m_readPrefix;
    return *m_queryCount + int(m_appended.size());
}

std::optional<int> CommentDataSource::knownRecordCount() const
{
    if (!m_open)
        return 0;
    if (!m_queryCount)
        return std::nullopt;
    return *m_queryCount + int(m_appended.size());
}

bool CommentDataSource::countSomeRecords()
{
    if (!m_open || m_queryCount)
        return m_open;
    m_error.clear();
    if (!m_query.keyed)
        return countQueryRows();
    // The first slice takes every rowid up to its end, rowids below 1 too.
    const qint64 from = m_countedUpTo.value_or(0);
    const qint64 upTo = from < m_query.bound - m_countSlice ? from + m_countSlice : m_query.bound;
    QElapsedTimer timer;
    timer.start();
    const std::optional<qint64> slice = countRows({m_countedUpTo, upTo});
    if (!slice)
        return false;
    m_partialCount += int(*slice);
    m_countedUpTo = upTo;
    if (timer.elapsed() < kCountSliceTargetMs / 2)
        m_countSlice = std::min(m_countSlice * 2, kLargestCountSlice);
    else if (timer.elapsed() > kCountSliceTargetMs)
        m_countSlice = std::max(m_countSlice / 2, qint64(kPageSize));
    if (upTo < m_query.bound)
        return false;
    m_queryCount = m_partialCount;
    emit recordCountKnown();
    return true;
}

bool CommentDataSource::readMore(int count)
{
    const int wanted = m_readPrefix + count;
    while (m_open && m_readPrefix < wanted && !(m_queryCount && m_readPrefix >= *m_queryCount)) {
        const int before = m_readPrefix;
        if (!readPageAt(m_readPrefix) || m_readPrefix == before)
            break;
    }
    return m_readPrefix > wanted - count;
}

void CommentDataSource::makeCurrent(int position)
{
    m_cursor.show(position, recordAt(position));
}

QString CommentDataSource::value(const QString &field) const
{
    const int i = CommentFieldIndex(field);
    return i < 0 || !m_cursor.hasRecord() ? QString() : m_cursor.values()[i].value_or(QString());
}

bool CommentDataSource::isNull(const QString &field) const
{
    const int i = CommentFieldIndex(field);
    return !m_cursor.hasRecord() || i < 0 || !m_cursor.values()[i];
}

QString CommentDataSource::valueAt(int index, const QString &field)
{
    const int i = CommentFieldIndex(field);
    if (i < 0 || index < 0)
        return QString();
    if (index == m_cursor.position())
        return m_cursor.values()[i].value_or(QString());
    const Record *record = recordAt(index);
    return record ? TextOf(record->values[i]).value_or(QString()) : QString();
}

bool CommentDataSource::setValue(const QString &field, const QString &value)
{
    if (!m_cursor.setValue(CommentFieldIndex(field), value))
        return false;
    emit currentValuesChanged();
    return true;
}

void CommentDataSource::cancelUpdate()
{
    m_cursor.dropEdits();
    if (m_cursor.isNew()) {
        const int count = recordCount();
        makeCurrent(std::min(m_cursor.positionBeforeNew(), count - 1));
        emit recordSetChanged();
    }
    emit currentChanged();
}

bool CommentDataSource::addNew()
{
    if (!m_open)
        return false;
    m_error.clear();
    if (!leaveCurrentRecord() || !countQueryRows())
        return false;
    m_cursor.startNew(recordCount());
    emit recordSetChanged();
    emit currentChanged();
    return true;
}

bool CommentDataSource::updateBatch()
{
    if (!m_open || !m_cursor.hasRecord())
        return false;
    m_error.clear();
    return writeCurrentRecord();
}

// A new record nobody typed into is dropped, as a blank row would be.
bool CommentDataSource::leaveCurrentRecord()
{
    if (!m_cursor.hasRecord())
        return true;
    if (m_cursor.isBlankNewRecord()) {
        cancelUpdate();
        return true;
    }
    return !m_cursor.hasPendingEdits() || writeCurrentRecord();
}

bool CommentDataSource::writeCurrentRecord()
{
    if (!m_cursor.isNew() && !m_cursor.hasPendingEdits())
        return true;
    const bool wasNew = m_cursor.isNew();
    const Values values = m_cursor.values();
    Record written;
    written.rowId = m_cursor.record().rowId;
    written.stored = true;
    bool stillThere = false;
    if (!wasNew && !updateRecord(m_cursor.record(), values, &stillThere))
        return false;
    // A record deleted or changed elsewhere since it was read is saved as a new record rather
    // than written over a row that may now be another record.
    if (!stillThere && !insertRecord(values, &written.rowId))
        return false;
    for (int i = 0; i < kFieldCount; ++i)
        written.values[i] = values[i] ? std::optional<QByteArray>(values[i]->toUtf8()) : std::nullopt;
    m_cursor.written(written);
    if (wasNew)
        m_appended.push_back(written);
    else if (Record *kept = storedRecordAt(m_cursor.position()))
        *kept = written;
    emit currentChanged();
    if (!wasNew && !stillThere)
        emit savedAsNewRecord();
    return true;
}

QString CommentDataSource::unchangedCondition()
{
    QString condition = QStringLiteral("rowid = ?");
    for (const char *name : kCommentFieldNames)
        condition += QStringLiteral(" AND %1 IS ?").arg(QLatin1String(name));
    return condition;
}

QVariantList CommentDataSource::unchangedValues(const Record &record)
{
    QVariantList values{record.rowId};
    for (const auto &value : record.values)
        values << bindable(TextOf(value));
    return values;
}

bool CommentDataSource::updateRecord(const Record &record, const Values &values, bool *stillThere)
{
    QStringList assignments;
    for (const char *name : kCommentFieldNames)
        assignments << QStringLiteral("%1 = ?").arg(QLatin1String(name));
    const std::optional<int> changed = m_connection.write(
        {QStringLiteral("UPDATE %1 SET %2 WHERE %3")
             .arg(m_query.table, assignments.join(QStringLiteral(", ")), unchangedCondition()),
         boundValues(values) + unchangedValues(record)});
    if (!changed)
        return fail(kCouldNotSave);
    *stillThere = *changed > 0;
    return true;
}

bool CommentDataSource::insertRecord(const Values &values, qint64 *rowId)
{
    if (!m_connection.write({QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)").arg(m_query.table, fieldList()),
                             boundValues(values)}))
        return fail(kCouldNotSave);
    *rowId = m_connection.lastInsertedRowId();
    return true;
}

int CommentDataSource::lastPosition()
{
    return countQueryRows() ? recordCount() - 1 : -1;
}

bool CommentDataSource::moveFirst()
{
    return moveToPosition(0);
}

bool CommentDataSource::moveLast()
{
    return moveToPosition(std::numeric_limits<int>::max());
}

bool CommentDataSource::moveNext()
{
    return moveToPosition(m_cursor.position() + 1);
}

bool CommentDataSource::movePrevious()
{
    return moveToPosition(std::max(m_cursor.position() - 1, 0));
}

bool CommentDataSource::moveTo(int index)
{
    if (index < 0 || !(exists(index) || (m_cursor.isNew() && index == m_cursor.position())))
        return false;
    return moveToPosition(index);
}

// A target past the end means the last record. It is checked after leaving, since leaving
// may drop a blank new record.
bool CommentDataSource::moveToPosition(int target)
{
    if (!m_open || !m_cursor.hasRecord())
        return false;
    m_error.clear();
    if (!leaveCurrentRecord() || !m_cursor.hasRecord())
        return false;
    const int position = target != std::numeric_limits<int>::max() && exists(target) ? target : lastPosition();
    if (position < 0)
        return false;
    makeCurrent(position);
    emit currentChanged();
    return m_cursor.hasRecord();
}

// Positions after the one removed move up by one.
void CommentDataSource::forgetPosition(int position)
{
    if (m_queryCount && position >= *m_queryCount) {
        m_appended.erase(m_appended.begin() + (position - *m_queryCount));
        return;
    }
    std::map<int, Record> shifted;
    for (auto &[at, record] : m_cache) {
        if (at != position)
            shifted.emplace(at > position ? at - 1 : at, std::move(record));
    }
    m_cache = std::move(shifted);
    if (m_readPrefix > position)
        --m_readPrefix;
    if (m_queryCount)
        --*m_queryCount;
}

bool CommentDataSource::deleteCurrent()
{
    if (!m_open || !m_cursor.hasRecord())
        return false;
    m_error.clear();
    const int position = m_cursor.position();
    // A new record not yet written only leaves the set.
    if (!m_cursor.isNew()) {
        const Record &record = m_cursor.record();
        if (record.stored) {
            // Only the row as it was read: a row changed since may now be another record.
            if (!m_connection.write({QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_query.table, unchangedCondition()),
                                     unchangedValues(record)}))
                return fail(QStringLiteral("Could not delete the record"));
            if (m_countedUpTo && record.rowId <= *m_countedUpTo)
                --m_partialCount;
        }
        forgetPosition(position);
    }
    makeCurrent(exists(position) ? position : position - 1);
    emit recordSetChanged();
    emit currentChanged();
    return true;
}

CommentBookmark CommentDataSource::bookmark() const
{
    if (!m_cursor.hasRecord() || m_cursor.isNew() || !m_cursor.record().stored || !m_query.keyed)
        return CommentBookmark();
    return CommentBookmark(m_recordSetId, m_cursor.record().rowId);
}

// Where the engine puts the row in the set, or nothing when the set no longer holds it.
std::optional<qint64> CommentDataSource::positionOfRow(qint64 rowId)
{
    for (size_t i = 0; i < m_appended.size(); ++i) {
        if (m_appended[i].rowId == rowId && countQueryRows())
            return *m_queryCount + qint64(i);
    }
    const BoundSql row = keyedRows({rowId - 1, rowId}, {}, QString());
    const BoundSql before = keyedRows({std::nullopt, rowId - 1}, {}, QString());
    return readNumber({QStringLiteral("SELECT CASE WHEN EXISTS (%1) THEN (SELECT count(*) FROM (%2)) END")
                           .arg(row.text, before.text),
                       row.values + before.values});
}

bool CommentDataSource::setBookmark(const CommentBookmark &bookmark)
{
    if (!m_open)
        return false;
    m_error.clear();
    if (bookmark.isEmpty() || bookmark.m_recordSet != m_recordSetId)
        return false;
    const std::optional<qint64> position = positionOfRow(bookmark.m_rowId);
    return position && moveTo(int(*position));
}

bool CommentDataSource::findFirst(const QString &criterion)
{
    if (!m_open)
        return false;
    m_error.clear();
    static const QRegularExpression equality(QStringLiteral(R"(^\s*\[?(\w+)\]?\s*=\s*'((?:[^']|'')*)'\s*$)"));
    const QRegularExpressionMatch match = equality.match(criterion);
    const int field = match.hasMatch() ? CommentFieldIndex(match.captured(1)) : -1;
    if (field < 0 || !m_query.keyed) {
        m_error = QStringLiteral("Cannot search by the criterion %1").arg(criterion);
        return false;
    }
    // The engine sees what was typed only once it is written.
    if (m_cursor.hasPendingEdits() && !leaveCurrentRecord())
        return false;
    const QString wanted = match.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"));
    const BoundSql matching = keyedRows(
        {}, {QStringLiteral("%1 LIKE ?").arg(QLatin1String(kCommentFieldNames[field])), {literalPattern(wanted)}},
        QStringLiteral("LIMIT 1"));
    const std::optional<qint64> row =
        readNumber({QStringLiteral("SELECT (SELECT %1 FROM (%2))").arg(QLatin1String(kKey), matching.text),
                    matching.values});
    if (!row && !m_error.isEmpty())
        return false;
    std::optional<qint64> position;
    if (row)
        position = positionOfRow(*row);
    for (size_t i = 0; !position && i < m_appended.size(); ++i) {
        const std::optional<QString> text = TextOf(m_appended[i].values[field]);
        if (text && text->compare(wanted, Qt::CaseInsensitive) == 0 && countQueryRows())
            position = *m_queryCount + qint64(i);
    }
    return position && moveTo(int(*position));
}

QString CommentDataSource::findFile(const QString &fileName)
{
    findFirst(FileCriterion(fileName));
    return value(QStringLiteral("File"));
}

bool CommentDataSource::fail(const QString &action)
{
    m_error = action + QStringLiteral(": ") + reasonFor(m_connection.errorCode(), m_connection.errorMessage())
              + QLatin1Char('.');
    return false;
}
