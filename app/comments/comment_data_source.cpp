#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"

#include "comments/comment_schema.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <limits>

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

const QString kCouldNotSave = QStringLiteral("Could not save the record");
// A slice of reading: short enough that a keystroke or a repaint between two never waits
// noticeably, long enough that a search with matches near the start has its page at once.
constexpr int kReadSliceMs = 8;

} // namespace

CommentDataSource::CommentDataSource(const QString &databasePath, QObject *parent)
    : QObject(parent), path_(databasePath), recordSource_(QLatin1String(kCommentTableName)),
      filter_(RecordFilter(recordSource_)),
      sliceMs_(kReadSliceMs), pages_(connection_, [this] { fail(QStringLiteral("Could not read the records")); })
{
    readOn_.setSingleShot(true);
    connect(&readOn_, &QTimer::timeout, this, [this] {
        if (!readSomeRecords())
            readOnLater();
    });
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
    if (open_)
        return refresh();
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(path_).absoluteFilePath());
    const QString action = QStringLiteral("Could not open the comment database %1").arg(shownPath);
    if (!QFileInfo(path_).isFile()) {
        error_ = QStringLiteral("The comment database %1 was not found.").arg(shownPath);
        return false;
    }
    if (!connection_.open(path_))
        return fail(action);
    open_ = true;
    if (!reload(action)) {
        open_ = false;
        connection_.close();
        return false;
    }
    return true;
}

bool CommentDataSource::refresh()
{
    return open_ && reload(QStringLiteral("Could not read the records"));
}

void CommentDataSource::setRecordSource(const QString &source)
{
    recordSource_ = source;
    filter_ = RecordFilter::fromRecordSource(source);
}

void CommentDataSource::setRecordFilter(const RecordFilter &filter)
{
    recordSource_ = filter.recordSource();
    filter_ = filter;
}

// The edits of the record left are written first; when that fails nothing changes. A query
// that cannot be read leaves an empty record set rather than the rows of the one before,
// which would look like its answer. What the first slice has not found is read between events.
bool CommentDataSource::reload(const QString &action)
{
    error_.clear();
    if (!leaveCurrentRecord())
        return false;
    RecordSetQuery query;
    const bool read = settleQuery(action, &query) && readFirstPage(action, query);
    if (!read)
        pages_.showEmpty(query);
    recordSetError_ = read ? QString() : error_;
    recordSetId_ = nextRecordSetId();
    makeCurrent(pages_.readPrefix() > 0 ? 0 : -1);
    emit recordSetChanged();
    emit currentChanged();
    readOnLater();
    return read;
}

bool CommentDataSource::readFirstPage(const QString &action, const RecordSetQuery &query)
{
    pages_.show(query);
    if (pages_.readOn(sliceMs_))
        return true;
    error_ = action + error_.mid(error_.indexOf(QLatin1String(": ")));
    return false;
}

void CommentDataSource::readOnLater()
{
    if (isReading())
        readOn_.start(0);
}

// A read that fails ends the reading; with nothing found the navigation bar says why.
bool CommentDataSource::readSomeRecords()
{
    if (!isReading())
        return true;
    error_.clear();
    if (!pages_.readOn(sliceMs_) && pages_.readPrefix() == 0)
        recordSetError_ = error_;
    // The first record found is current when the rows are told of, but told of only once
    // they have been: the grid selects its row.
    const bool firstFound = !cursor_.hasRecord() && pages_.readPrefix() > 0;
    if (firstFound)
        makeCurrent(0);
    emit recordsRead();
    if (firstFound)
        emit currentChanged();
    return !pages_.isReading();
}

void CommentDataSource::readMoreInSlices(int count)
{
    if (!open_)
        return;
    pages_.askForMore(count);
    if (!readSomeRecords())
        readOnLater();
}

bool CommentDataSource::settleQuery(const QString &action, RecordSetQuery *query)
{
    if (!filter_) {
        error_ = QStringLiteral("%1: the record source is neither a table name nor a query of all fields of one "
                                 "table: %2")
                      .arg(action, recordSource_);
        return false;
    }
    *query = RecordPages::queryOf(*filter_);
    if (const QString invalid = filter_->patternError(); !invalid.isEmpty()) {
        error_ = invalid;
        return false;
    }
    if (!pages_.settle(*filter_, query))
        return fail(action);
    return true;
}

const CommentRecord *CommentDataSource::recordAt(int position)
{
    return open_ ? pages_.recordAt(position) : nullptr;
}

int CommentDataSource::recordCount()
{
    return open_ ? pages_.count() : 0;
}

std::optional<int> CommentDataSource::knownRecordCount() const
{
    return open_ ? pages_.knownCount() : 0;
}

bool CommentDataSource::countSomeRecords()
{
    if (!open_ || pages_.knownCount())
        return open_;
    error_.clear();
    if (!pages_.countSome())
        return false;
    emit recordCountKnown();
    return true;
}

void CommentDataSource::makeCurrent(int position)
{
    cursor_.show(position, recordAt(position));
}

QString CommentDataSource::value(const QString &field) const
{
    const int i = CommentFieldIndex(field);
    return i < 0 || !cursor_.hasRecord() ? QString() : cursor_.values()[i].value_or(QString());
}

bool CommentDataSource::isNull(const QString &field) const
{
    const int i = CommentFieldIndex(field);
    return !cursor_.hasRecord() || i < 0 || !cursor_.values()[i];
}

QString CommentDataSource::valueAt(int index, const QString &field)
{
    const int i = CommentFieldIndex(field);
    if (i < 0 || index < 0)
        return QString();
    if (index == cursor_.position())
        return cursor_.values()[i].value_or(QString());
    const Record *record = recordAt(index);
    return record ? TextOf(record->values[i]).value_or(QString()) : QString();
}

bool CommentDataSource::setValue(const QString &field, const QString &value)
{
    if (!cursor_.setValue(CommentFieldIndex(field), value))
        return false;
    emit currentValuesChanged();
    return true;
}

void CommentDataSource::cancelUpdate()
{
    cursor_.dropEdits();
    if (cursor_.isNew()) {
        const int count = recordCount();
        makeCurrent(std::min(cursor_.positionBeforeNew(), count - 1));
        emit recordSetChanged();
    }
    emit currentChanged();
}

bool CommentDataSource::addNew()
{
    if (!open_)
        return false;
    error_.clear();
    if (!leaveCurrentRecord() || !pages_.countQueryRows())
        return false;
    cursor_.startNew(recordCount());
    emit recordSetChanged();
    emit currentChanged();
    return true;
}

bool CommentDataSource::updateBatch()
{
    if (!open_ || !cursor_.hasRecord())
        return false;
    error_.clear();
    return writeCurrentRecord();
}

// A new record nobody typed into is dropped, as a blank row would be.
bool CommentDataSource::leaveCurrentRecord()
{
    if (!cursor_.hasRecord())
        return true;
    if (cursor_.isBlankNewRecord()) {
        cancelUpdate();
        return true;
    }
    return !cursor_.hasPendingEdits() || writeCurrentRecord();
}

bool CommentDataSource::writeCurrentRecord()
{
    if (!cursor_.isNew() && !cursor_.hasPendingEdits())
        return true;
    const bool wasNew = cursor_.isNew();
    const Values values = cursor_.values();
    Record written;
    written.rowId = cursor_.record().rowId;
    written.stored = true;
    bool stillThere = false;
    if (!wasNew && !updateRecord(cursor_.record(), values, &stillThere))
        return false;
    // A record deleted or changed elsewhere since it was read is saved as a new record rather
    // than written over a row that may now be another record.
    if (!stillThere && !insertRecord(values, &written.rowId))
        return false;
    for (int i = 0; i < kFieldCount; ++i)
        written.values[i] = values[i] ? std::optional<QByteArray>(values[i]->toUtf8()) : std::nullopt;
    cursor_.written(written);
    if (wasNew)
        pages_.append(written);
    else
        pages_.replace(cursor_.position(), written);
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
    const std::optional<int> changed = connection_.write(
        {QStringLiteral("UPDATE %1 SET %2 WHERE %3")
             .arg(pages_.query().table, assignments.join(QStringLiteral(", ")), unchangedCondition()),
         boundValues(values) + unchangedValues(record)});
    if (!changed)
        return fail(kCouldNotSave);
    *stillThere = *changed > 0;
    return true;
}

bool CommentDataSource::insertRecord(const Values &values, qint64 *rowId)
{
    if (!connection_.write({QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)").arg(pages_.query().table, fieldList()),
                             boundValues(values)}))
        return fail(kCouldNotSave);
    *rowId = connection_.lastInsertedRowId();
    return true;
}

int CommentDataSource::lastPosition()
{
    return pages_.countQueryRows() ? recordCount() - 1 : -1;
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
    return moveToPosition(cursor_.position() + 1);
}

bool CommentDataSource::movePrevious()
{
    return moveToPosition(std::max(cursor_.position() - 1, 0));
}

bool CommentDataSource::moveTo(int index)
{
    if (index < 0 || !(exists(index) || (cursor_.isNew() && index == cursor_.position())))
        return false;
    return moveToPosition(index);
}

// A target past the end means the last record. It is checked after leaving, since leaving
// may drop a blank new record.
bool CommentDataSource::moveToPosition(int target)
{
    if (!open_ || !cursor_.hasRecord())
        return false;
    error_.clear();
    if (!leaveCurrentRecord() || !cursor_.hasRecord())
        return false;
    const int position = target != std::numeric_limits<int>::max() && exists(target) ? target : lastPosition();
    if (position < 0)
        return false;
    makeCurrent(position);
    emit currentChanged();
    return cursor_.hasRecord();
}

bool CommentDataSource::deleteCurrent()
{
    if (!open_ || !cursor_.hasRecord())
        return false;
    error_.clear();
    const int position = cursor_.position();
    // A new record not yet written only leaves the set.
    if (!cursor_.isNew()) {
        const Record &record = cursor_.record();
        if (record.stored) {
            // Only the row as it was read: a row changed since may now be another record.
            if (!connection_.write({QStringLiteral("DELETE FROM %1 WHERE %2").arg(pages_.query().table, unchangedCondition()),
                                     unchangedValues(record)}))
                return fail(QStringLiteral("Could not delete the record"));
        }
        pages_.remove(position, record);
    }
    makeCurrent(exists(position) ? position : position - 1);
    emit recordSetChanged();
    emit currentChanged();
    return true;
}

CommentBookmark CommentDataSource::bookmark() const
{
    if (!cursor_.hasRecord() || cursor_.isNew() || !cursor_.record().stored || !pages_.query().keyed)
        return CommentBookmark();
    return CommentBookmark(recordSetId_, cursor_.record().rowId);
}

bool CommentDataSource::setBookmark(const CommentBookmark &bookmark)
{
    if (!open_)
        return false;
    error_.clear();
    if (bookmark.isEmpty() || bookmark.recordSet_ != recordSetId_)
        return false;
    const std::optional<qint64> position = pages_.positionOfRow(bookmark.rowId_);
    return position && moveTo(int(*position));
}

bool CommentDataSource::findFirst(const QString &criterion)
{
    if (!open_)
        return false;
    error_.clear();
    static const QRegularExpression equality(QStringLiteral(R"(^\s*\[?(\w+)\]?\s*=\s*'((?:[^']|'')*)'\s*$)"));
    const QRegularExpressionMatch match = equality.match(criterion);
    const int field = match.hasMatch() ? CommentFieldIndex(match.captured(1)) : -1;
    if (field < 0 || !pages_.query().keyed) {
        error_ = QStringLiteral("Cannot search by the criterion %1").arg(criterion);
        return false;
    }
    // The engine sees what was typed only once it is written.
    if (cursor_.hasPendingEdits() && !leaveCurrentRecord())
        return false;
    const QString wanted = match.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"));
    std::optional<qint64> position;
    if (!pages_.find(field, wanted, &position))
        return false;
    return position && moveTo(int(*position));
}

QString CommentDataSource::findFile(const QString &fileName)
{
    findFirst(FileCriterion(fileName));
    return value(QStringLiteral("File"));
}

bool CommentDataSource::fail(const QString &action)
{
    error_ = action + QStringLiteral(": ") + reasonFor(connection_.errorCode(), connection_.errorMessage())
              + QLatin1Char('.');
    return false;
}
