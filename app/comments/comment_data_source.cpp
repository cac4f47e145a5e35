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

} // namespace

CommentDataSource::CommentDataSource(const QString &databasePath, QObject *parent)
    : QObject(parent), m_path(databasePath), m_recordSource(QLatin1String(kCommentTableName)),
      m_filter(RecordFilter(m_recordSource)),
      m_pages(m_connection, [this] { fail(QStringLiteral("Could not read the records")); })
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
    if (m_pages.readFirstPage(*query, firstPage))
        return true;
    m_error = action + m_error.mid(m_error.indexOf(QLatin1String(": ")));
    return false;
}

void CommentDataSource::showRecordSet(const RecordSetQuery &query, Rows firstPage, const QString &error)
{
    m_pages.show(query, std::move(firstPage));
    m_recordSetError = error;
    m_recordSetId = nextRecordSetId();
    makeCurrent(m_pages.readPrefix() > 0 ? 0 : -1);
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
    *query = RecordPages::queryOf(*m_filter);
    if (const QString invalid = m_filter->patternError(); !invalid.isEmpty()) {
        m_error = invalid;
        return false;
    }
    if (!m_pages.settle(*m_filter, query))
        return fail(action);
    return true;
}

const CommentRecord *CommentDataSource::recordAt(int position)
{
    return m_open ? m_pages.recordAt(position) : nullptr;
}

int CommentDataSource::recordCount()
{
    return m_open ? m_pages.count() : 0;
}

std::optional<int> CommentDataSource::knownRecordCount() const
{
    return m_open ? m_pages.knownCount() : 0;
}

bool CommentDataSource::countSomeRecords()
{
    if (!m_open || m_pages.knownCount())
        return m_open;
    m_error.clear();
    if (!m_pages.countSome())
        return false;
    emit recordCountKnown();
    return true;
}

bool CommentDataSource::readMore(int count)
{
    return m_open && m_pages.readMore(count);
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
    if (!leaveCurrentRecord() || !m_pages.countQueryRows())
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
        m_pages.append(written);
    else
        m_pages.replace(m_cursor.position(), written);
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
             .arg(m_pages.query().table, assignments.join(QStringLiteral(", ")), unchangedCondition()),
         boundValues(values) + unchangedValues(record)});
    if (!changed)
        return fail(kCouldNotSave);
    *stillThere = *changed > 0;
    return true;
}

bool CommentDataSource::insertRecord(const Values &values, qint64 *rowId)
{
    if (!m_connection.write({QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)").arg(m_pages.query().table, fieldList()),
                             boundValues(values)}))
        return fail(kCouldNotSave);
    *rowId = m_connection.lastInsertedRowId();
    return true;
}

int CommentDataSource::lastPosition()
{
    return m_pages.countQueryRows() ? recordCount() - 1 : -1;
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
            if (!m_connection.write({QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_pages.query().table, unchangedCondition()),
                                     unchangedValues(record)}))
                return fail(QStringLiteral("Could not delete the record"));
        }
        m_pages.remove(position, record);
    }
    makeCurrent(exists(position) ? position : position - 1);
    emit recordSetChanged();
    emit currentChanged();
    return true;
}

CommentBookmark CommentDataSource::bookmark() const
{
    if (!m_cursor.hasRecord() || m_cursor.isNew() || !m_cursor.record().stored || !m_pages.query().keyed)
        return CommentBookmark();
    return CommentBookmark(m_recordSetId, m_cursor.record().rowId);
}

bool CommentDataSource::setBookmark(const CommentBookmark &bookmark)
{
    if (!m_open)
        return false;
    m_error.clear();
    if (bookmark.isEmpty() || bookmark.m_recordSet != m_recordSetId)
        return false;
    const std::optional<qint64> position = m_pages.positionOfRow(bookmark.m_rowId);
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
    if (field < 0 || !m_pages.query().keyed) {
        m_error = QStringLiteral("Cannot search by the criterion %1").arg(criterion);
        return false;
    }
    // The engine sees what was typed only once it is written.
    if (m_cursor.hasPendingEdits() && !leaveCurrentRecord())
        return false;
    const QString wanted = match.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"));
    std::optional<qint64> position;
    if (!m_pages.find(field, wanted, &position))
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
    m_error = action + QStringLiteral(": ") + reasonFor(m_connection.errorCode(), m_connection.errorMessage())
              + QLatin1Char('.');
    return false;
}
