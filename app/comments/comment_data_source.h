#pragma once

#include "comments/comment_bookmark.h"
#include "names/comment_lookup.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// A window's view of the comment table: a record source (a table name or an Access query
// text), the record set it yields with a current record, and the pending edits of that
// record. Field names (Author, Title, Genre, File, Comment) match without regard to case.
//
// Failures never throw and never lose what was typed: an operation that fails returns
// false, leaves the record set and the pending edits as they were, and errorString() says
// why in words a window can show. Until open() succeeds every operation does nothing.
class CommentDataSource : public CommentLookup
{
public:
    explicit CommentDataSource(const QString &databasePath = QStringLiteral("db25.mdb"));
    ~CommentDataSource() override;
    CommentDataSource(const CommentDataSource &) = delete;
    CommentDataSource &operator=(const CommentDataSource &) = delete;

    // Opens the existing file (it is never created) and reads the record set.
    bool open();
    bool isOpen() const { return m_open; }
    QString errorString() const { return m_error; }

    // Takes effect at the next refresh. Initially "Table1".
    void setRecordSource(const QString &source) { m_recordSource = source; }
    QString recordSource() const { return m_recordSource; }
    // Writes the pending edits, then rereads the record set; the first record becomes current.
    // A record source the database rejects changes nothing.
    bool refresh();

    // Stored records of the record set (a new record not yet written is not counted).
    int recordCount() const;
    // 0-based position of the current record; recordCount() for a new record; -1 for none.
    int currentIndex() const { return m_current; }
    bool hasCurrentRecord() const { return m_current >= 0; }
    bool isNewRecord() const;

    // The current record's field, with its pending edit; empty when it holds no value.
    QString value(const QString &field) const;
    bool isNull(const QString &field) const;
    // A field of any record of the set (for a grid); the current one shows its pending edit.
    QString valueAt(int index, const QString &field) const;
    // A pending edit of the current record; false for an unknown field or no current record.
    bool setValue(const QString &field, const QString &value);
    bool hasPendingEdits() const;
    // Drops the pending edits; a new record is dropped and the record before it becomes current.
    void cancelUpdate();

    // A blank new record becomes current (after the pending edits of the one left are written).
    bool addNew();
    // Writes the pending edits: a new record is inserted, a stored one updated.
    bool updateBatch();

    // Each move first writes the pending edits of the record it leaves and does not move if
    // that fails. Next on the last record and previous on the first stay where they are.
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool moveTo(int index);

    // Deletes the current record from the table; the record after it (or the last) becomes current.
    bool deleteCurrent();

    // Empty when there is no stored current record.
    CommentBookmark bookmark() const;
    // False, changing nothing, for a bookmark of another record set or of a deleted record.
    bool setBookmark(const CommentBookmark &bookmark);

    // Criterion "Field = 'text'" (quotes in the text doubled), compared without regard to case.
    // The first matching record becomes current; without a match the current record stays.
    bool findFirst(const QString &criterion);
    QString findFile(const QString &fileName) override;

private:
    static constexpr int kFieldCount = 5;
    using Values = std::array<std::optional<QString>, kFieldCount>;
    // Kept as read (UTF-8): a large record set then loads without converting every comment.
    using StoredValues = std::array<std::optional<QByteArray>, kFieldCount>;
    struct Record
    {
        qint64 rowId = 0;
        bool stored = false;
        StoredValues values;
    };

    QSqlDatabase database() const;
    bool reload(const QString &action);
    bool readRecords(const QString &action, const QString &query, std::vector<Record> *records);
    Values currentValues() const;
    bool leaveCurrentRecord();
    bool moveToClamped(qsizetype index);
    bool writeCurrentRecord();
    bool insertRecord(const Values &values, qint64 *rowId);
    bool updateRecord(const Record &record, const Values &values, bool *stillThere);
    bool fail(const QString &action, const QSqlError &error);
    bool fail(const QString &action, int code, const QString &message);
    void bindUnchangedCondition(QSqlQuery &query, const Record &record) const;
    static QString unchangedCondition();

    QString m_path;
    QString m_connection;
    QString m_recordSource;
    QString m_table;
    QString m_error;
    bool m_open = false;
    quint64 m_recordSetId = 0;
    std::vector<Record> m_records;
    int m_current = -1;
    int m_currentBeforeAdd = -1;
    Values m_pending;
};
