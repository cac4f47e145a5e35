#include "comments/record_pages.h"

#include "comments/comment_schema.h"
#include "comments/record_filter.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

// The rowid travels with each row under this name; a view's rows have none (it is null).
constexpr char kKey[] = "shelvana_key";
// Rows read at a time: a screenful of a grid and some to spare.
constexpr int kPageSize = 64;
// The sliced count and the sliced reads take rowid ranges that take about this long, so that
// the events between the slices (a keystroke, a repaint) never wait noticeably; the range
// adapts to the machine and the record set.
constexpr qint64 kSliceTargetMs = 8;
constexpr qint64 kFirstSlice = 4096;
constexpr qint64 kLargestSlice = qint64(1) << 24;
// Rows kept read; beyond this the ones farthest from the latest read are dropped.
constexpr int kCacheLimit = 4096;

QString fieldList()
{
    QStringList names;
    for (const char *name : kCommentFieldNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
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

// The next rowid range: twice as long after a quick one, half as long after a slow one.
void adaptSlice(qint64 *slice, qint64 elapsedMs)
{
    if (elapsedMs < kSliceTargetMs / 2)
        *slice = std::min(*slice * 2, kLargestSlice);
    else if (elapsedMs > kSliceTargetMs)
        *slice = std::max(*slice / 2, qint64(kPageSize));
}

// The end of the rowid range of `slice` rowids after `from`, and never past the last rowid.
qint64 sliceEnd(qint64 from, qint64 slice, qint64 bound)
{
    return from < bound - slice ? from + slice : bound;
}

} // namespace

RecordPages::RecordPages(CommentConnection &connection, std::function<void()> readFailed)
    : connection_(connection), readFailed_(std::move(readFailed)), countSlice_(kFirstSlice)
{
}

RecordSetQuery RecordPages::queryOf(const RecordFilter &filter)
{
    RecordSetQuery query;
    query.table = filter.quotedTable();
    query.rows.text = QStringLiteral("SELECT rowid AS %1, %2 FROM %3").arg(QLatin1String(kKey), fieldList(), query.table);
    if (!filter.condition().isEmpty())
        query.rows.text += QStringLiteral(" WHERE ") + filter.condition();
    const QStringList patterns = filter.patterns();
    query.rows.values = QVariantList(patterns.begin(), patterns.end());
    return query;
}

bool RecordPages::settle(const RecordFilter &filter, RecordSetQuery *query)
{
    if (!connection_.check(query->rows))
        return false;
    // Rows of a table are read in rowid order, which lets a page start at any known row;
    // a view's rows have no rowid and are counted off from the first.
    connection_.read({QStringLiteral("SELECT type = 'table' FROM sqlite_master WHERE name = ? COLLATE NOCASE"),
                      {filter.table()}},
                     [query](const SqlRow &row) { query->keyed = row.number(0) != 0; });
    if (!query->keyed)
        return true;
    std::optional<qint64> last;
    if (!connection_.readNumber({QStringLiteral("SELECT max(rowid) FROM %1").arg(query->table), {}}, &last))
        return false;
    query->bound = last.value_or(0);
    return true;
}

void RecordPages::show(const RecordSetQuery &query)
{
    query_ = query;
    cache_.clear();
    readPrefix_ = 0;
    scannedUpTo_.reset();
    wanted_ = kPageSize;
    scanSlice_ = kFirstSlice;
    queryCount_.reset();
    appended_.clear();
    countedUpTo_.reset();
    partialCount_ = 0;
    countSlice_ = kFirstSlice;
}

void RecordPages::showEmpty(const RecordSetQuery &query)
{
    show(query);
    queryCount_ = 0;
}

void RecordPages::askForMore(int count)
{
    wanted_ = std::max(wanted_, readPrefix_) + count;
}

// How many of the records asked for are still to be read.
int RecordPages::missing() const
{
    return std::min(wanted_, queryCount_.value_or(std::numeric_limits<int>::max())) - readPrefix_;
}

bool RecordPages::isReading() const
{
    return missing() > 0;
}

bool RecordPages::readOn(qint64 ms)
{
    QElapsedTimer timer;
    timer.start();
    while (isReading()) {
        // A view's rows are counted off a page at a time: they have no rowid to go on from.
        if (!(query_.keyed ? scanRange() : readPageAt(readPrefix_))) {
            wanted_ = readPrefix_;
            return false;
        }
        if (timer.elapsed() >= ms)
            break;
    }
    return true;
}

// Reads the rows of the next rowid range after the ones read, as many as are still asked for.
// A range that holds them all is read only up to the last of them, so that the next read goes
// on from there.
bool RecordPages::scanRange()
{
    const qint64 upTo = sliceEnd(scannedUpTo_.value_or(0), scanSlice_, query_.bound);
    const int wanted = missing();
    Rows rows;
    QElapsedTimer timer;
    timer.start();
    if (!readRows(keyedRows({scannedUpTo_, upTo}, {}, QStringLiteral("LIMIT %1").arg(wanted)), &rows))
        return false;
    adaptSlice(&scanSlice_, timer.elapsed());
    const int count = int(rows.size());
    scannedUpTo_ = count == wanted ? rows.back().rowId : upTo;
    trimCache(readPrefix_);
    for (CommentRecord &row : rows)
        cache_.insert_or_assign(readPrefix_++, std::move(row));
    if (count < wanted && upTo >= query_.bound)
        queryCount_ = readPrefix_;
    return true;
}

// The record set's rows with rowids in (after, upTo] (and up to the refresh's last rowid),
// narrowed further by a condition, with an order and limit clause ("DESC ..." reads backwards).
// The range is given to SQLite as one lower and one upper limit, so that it seeks to it.
BoundSql RecordPages::keyedRows(const RecordSetQuery &query, const RowRange &range, const BoundSql &condition,
                                const QString &tail)
{
    if (!query.keyed)
        return {QStringLiteral("SELECT * FROM (%1) %2").arg(query.rows.text, tail), query.rows.values};
    const QString key = QLatin1String(kKey);
    QString where = QStringLiteral("%1 <= %2").arg(key).arg(std::min(range.upTo.value_or(query.bound), query.bound));
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
    return {QStringLiteral("SELECT * FROM (%1) WHERE %2 %3 %4").arg(query.rows.text, where, order, limit),
            query.rows.values + condition.values};
}

// Read through SQLite itself: going through QVariant for every field costs several times more.
bool RecordPages::readRows(const BoundSql &sql, Rows *rows)
{
    const bool read = connection_.read(sql, [rows](const SqlRow &row) {
        CommentRecord record;
        record.rowId = row.number(0);
        record.stored = true;
        for (int i = 0; i < kCommentFieldCount; ++i)
            record.values[i] = row.text(i + 1);
        rows->push_back(std::move(record));
    });
    if (!read)
        readFailed_();
    return read;
}

// The first column of the one row; nothing when it holds no value or the read fails.
std::optional<qint64> RecordPages::readNumber(const BoundSql &sql)
{
    std::optional<qint64> number;
    if (!connection_.readNumber(sql, &number))
        readFailed_();
    return number;
}

std::optional<qint64> RecordPages::countRows(const RowRange &range)
{
    const BoundSql rows = keyedRows(range, {}, QString());
    return readNumber({QStringLiteral("SELECT count(*) FROM (%1)").arg(rows.text), rows.values});
}

void RecordPages::trimCache(int position)
{
    if (int(cache_.size()) > kCacheLimit) {
        std::erase_if(cache_, [position](const auto &entry) { return std::abs(entry.first - position) > kCacheLimit / 2; });
    }
}

// Reads the page that holds the position, starting from a neighbour already read when there
// is one (or from where the reads from the first record have reached), from either end of
// the set, or else by counting off rows from the first.
bool RecordPages::readPageAt(int position)
{
    trimCache(position);
    const auto before = cache_.find(position - 1);
    const auto after = cache_.find(position + 1);
    Rows rows;
    int first = position;
    bool forward = true;
    bool read = false;
    if (!query_.keyed) {
        read = readRows(keyedRows({}, {}, QStringLiteral("LIMIT %1 OFFSET %2").arg(kPageSize).arg(position)), &rows);
    } else if (position == readPrefix_ && scannedUpTo_) {
        read = readRows(keyedRows({scannedUpTo_, std::nullopt}, {}, QStringLiteral("LIMIT %1").arg(kPageSize)), &rows);
    } else if (before != cache_.end()) {
        read = readRows(keyedRows({before->second.rowId, std::nullopt}, {}, QStringLiteral("LIMIT %1").arg(kPageSize)),
                        &rows);
    } else if (after != cache_.end()) {
        forward = false;
        read = readRows(keyedRows({std::nullopt, after->second.rowId - 1}, {},
                                  QStringLiteral("DESC LIMIT %1").arg(kPageSize)),
                        &rows);
    } else if (queryCount_ && position >= *queryCount_ - kPageSize) {
        forward = false;
        first = *queryCount_ - 1;
        read = readRows(keyedRows({}, {}, QStringLiteral("DESC LIMIT %1").arg(*queryCount_ - position)), &rows);
    } else {
        read = readRows(keyedRows({}, {}, QStringLiteral("LIMIT %1 OFFSET %2").arg(kPageSize).arg(position)), &rows);
    }
    if (!read)
        return false;
    const int count = int(rows.size());
    if (forward && position <= readPrefix_ && position + count > readPrefix_) {
        readPrefix_ = position + count;
        scannedUpTo_ = rows.back().rowId;
    }
    for (int i = 0; i < count; ++i)
        cache_.insert_or_assign(forward ? first + i : first - i, std::move(rows[i]));
    if (forward && count < kPageSize)
        queryCount_ = position + count;
    return true;
}

const CommentRecord *RecordPages::appendedAt(int position) const
{
    const auto appended = qsizetype(position - *queryCount_);
    return appended < qsizetype(appended_.size()) ? &appended_[appended] : nullptr;
}

const CommentRecord *RecordPages::recordAt(int position)
{
    if (position < 0)
        return nullptr;
    if (queryCount_ && position >= *queryCount_)
        return appendedAt(position);
    auto found = cache_.find(position);
    if (found == cache_.end() && readPageAt(position))
        found = cache_.find(position);
    if (found != cache_.end())
        return &found->second;
    return queryCount_ && position >= *queryCount_ ? recordAt(position) : nullptr;
}

// The rows read from the first on are counted already.
void RecordPages::catchUpWithTheScan()
{
    if (query_.keyed && scannedUpTo_ && (!countedUpTo_ || *countedUpTo_ < *scannedUpTo_)) {
        countedUpTo_ = scannedUpTo_;
        partialCount_ = readPrefix_;
    }
}

bool RecordPages::countQueryRows()
{
    if (queryCount_)
        return true;
    catchUpWithTheScan();
    // Only what the sliced count has not reached yet.
    const std::optional<qint64> rest = countRows({countedUpTo_, std::nullopt});
    if (rest)
        queryCount_ = partialCount_ + int(*rest);
    return rest.has_value();
}

int RecordPages::count()
{
    if (!countQueryRows())
        return readPrefix_;
    return *queryCount_ + int(appended_.size());
}

std::optional<int> RecordPages::knownCount() const
{
    if (!queryCount_)
        return std::nullopt;
    return *queryCount_ + int(appended_.size());
}

bool RecordPages::countSome()
{
    if (!query_.keyed || queryCount_)
        return countQueryRows();
    catchUpWithTheScan();
    // The first slice takes every rowid up to its end, rowids below 1 too.
    const qint64 upTo = sliceEnd(countedUpTo_.value_or(0), countSlice_, query_.bound);
    QElapsedTimer timer;
    timer.start();
    const std::optional<qint64> slice = countRows({countedUpTo_, upTo});
    if (!slice)
        return false;
    partialCount_ += int(*slice);
    countedUpTo_ = upTo;
    adaptSlice(&countSlice_, timer.elapsed());
    if (upTo < query_.bound)
        return false;
    queryCount_ = partialCount_;
    return true;
}

void RecordPages::append(const CommentRecord &record)
{
    appended_.push_back(record);
}

void RecordPages::replace(int position, const CommentRecord &record)
{
    if (queryCount_ && position >= *queryCount_) {
        const auto appended = qsizetype(position - *queryCount_);
        if (appended < qsizetype(appended_.size()))
            appended_[appended] = record;
        return;
    }
    if (const auto kept = cache_.find(position); kept != cache_.end())
        kept->second = record;
}

void RecordPages::remove(int position, const CommentRecord &record)
{
    if (record.stored && countedUpTo_ && record.rowId <= *countedUpTo_)
        --partialCount_;
    if (queryCount_ && position >= *queryCount_) {
        appended_.erase(appended_.begin() + (position - *queryCount_));
        return;
    }
    std::map<int, CommentRecord> shifted;
    for (auto &[at, kept] : cache_) {
        if (at != position)
            shifted.emplace(at > position ? at - 1 : at, std::move(kept));
    }
    cache_ = std::move(shifted);
    // The records asked for move up with the ones read.
    if (readPrefix_ > position) {
        --readPrefix_;
        --wanted_;
    }
    if (queryCount_)
        --*queryCount_;
}

std::optional<qint64> RecordPages::positionOfRow(qint64 rowId)
{
    for (size_t i = 0; i < appended_.size(); ++i) {
        if (appended_[i].rowId == rowId && countQueryRows())
            return *queryCount_ + qint64(i);
    }
    const BoundSql row = keyedRows({rowId - 1, rowId}, {}, QString());
    const BoundSql before = keyedRows({std::nullopt, rowId - 1}, {}, QString());
    return readNumber({QStringLiteral("SELECT CASE WHEN EXISTS (%1) THEN (SELECT count(*) FROM (%2)) END")
                           .arg(row.text, before.text),
                       row.values + before.values});
}

bool RecordPages::find(int field, const QString &wanted, std::optional<qint64> *position)
{
    const BoundSql matching = keyedRows(
        {}, {QStringLiteral("%1 LIKE ?").arg(QLatin1String(kCommentFieldNames[field])), {literalPattern(wanted)}},
        QStringLiteral("LIMIT 1"));
    std::optional<qint64> row;
    if (!connection_.readNumber(
            {QStringLiteral("SELECT (SELECT %1 FROM (%2))").arg(QLatin1String(kKey), matching.text), matching.values},
            &row)) {
        readFailed_();
        return false;
    }
    if (row)
        *position = positionOfRow(*row);
    for (size_t i = 0; !*position && i < appended_.size(); ++i) {
        const std::optional<QString> text = TextOf(appended_[i].values[field]);
        if (text && text->compare(wanted, Qt::CaseInsensitive) == 0 && countQueryRows())
            *position = *queryCount_ + qint64(i);
    }
    return true;
}
