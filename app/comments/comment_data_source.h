#pragma once

#include "comments/comment_bookmark.h"
#include "comments/record_cursor.h"
#include "comments/record_filter.h"
#include "comments/record_pages.h"
#include "names/comment_lookup.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// A window's view of the comment table: a record filter (or the record source text that
// stands for one), the record set it yields (RecordPages) with a current record, and the
// pending edits of that record (RecordCursor), all through one connection of its own
// (CommentConnection). Field names (Author, Title, Genre, File, Comment) match
// without regard to case. What the user typed reaches the engine only as bound values.
//
// The record set is read lazily (a page at a time, the count asked of the engine). Every read is limited in time, so a record set without end cannot hang the program.
// The records from the first on are read a slice of time at a time: a search whose matches
// are few and far apart (or none) goes on between events until its first page is read, the
// records found so far showing meanwhile; the next refresh abandons it.
// The set holds the rows that were in the table at the refresh (in the table's own order),
// plus the records this data source has added since; rows other programs add show after the
// next refresh. No statement stays open between calls, so the other window can always write.
//
// Failures never throw and never lose what was typed: an operation that fails returns
// false, leaves the pending edits as they were, and errorString() says why in words a window
// can show. Only a refresh whose records cannot be read changes the set: to an empty one,
// not the rows of the set before. Until open() succeeds every operation does nothing.
class CommentDataSource : public QObject, public CommentLookup
{
    Q_OBJECT

public:
    explicit CommentDataSource(const QString &databasePath = QStringLiteral("db25.mdb"), QObject *parent = nullptr);
    ~CommentDataSource() override;

    QString databasePath() const { return path_; }

    // Opens the existing file (it is never created) and reads the record set.
    bool open();
    bool isOpen() const { return open_; }
    QString errorString() const { return error_; }

    // How long one read may take before it is given up (the record set may have no end).
    void setReadTimeLimit(int milliseconds) { connection_.setReadTimeLimit(milliseconds); }
    // From now on the records are only read: every write fails as on a read-only file.
    bool refuseWrites() { return connection_.refuseWrites(); }

    // Takes effect at the next refresh. Initially "Table1". A text is read as RecordFilter
    // reads it; any other text fails at the refresh.
    void setRecordSource(const QString &source);
    void setRecordFilter(const RecordFilter &filter);
    QString recordSource() const { return recordSource_; }
    // Writes the pending edits, then rereads the record set; the first record becomes current.
    // When the edits cannot be written nothing changes. When the records cannot be read the
    // record set is empty, and recordSetError() says why until the next refresh that works.
    bool refresh();
    QString recordSetError() const { return recordSetError_; }

    // Stored records of the record set (a new record not yet written is not counted), asked
    // of the engine the first time after a refresh. When the engine cannot count them in
    // time, the records read so far, with errorString() saying why.
    int recordCount();
    // The count when it is known without asking the engine.
    std::optional<int> knownRecordCount() const;
    // Counts the records a slice of the table at a time, for a count that must not hold the
    // program up; true once the count is known. A refresh starts again.
    bool countSomeRecords();
    // How many records from the first on have been read; a grid shows these.
    int readRecordCount() const { return pages_.readPrefix(); }
    // Asks for `count` further records: they are read for a slice of time now, and the rest
    // between events, as readSomeRecords() reads them.
    void readMoreInSlices(int count);
    // Whether records of the set are still being read between events (a search through a
    // large table): the ones read so far are shown, recordsRead() tells of more.
    bool isReading() const { return open_ && pages_.isReading(); }
    // Reads on for a slice of time; true once no more records are being read. The first
    // record found becomes current when none is.
    bool readSomeRecords();
    // How long a slice of reading may take; 0 reads one rowid range at a time.
    void setReadSliceTime(int milliseconds) { sliceMs_ = milliseconds; }
    // 0-based position of the current record; recordCount() for a new record; -1 for none.
    int currentIndex() const { return cursor_.position(); }
    bool hasCurrentRecord() const { return cursor_.hasRecord(); }
    bool isNewRecord() const { return cursor_.isNew(); }

    // The current record's field, with its pending edit; empty when it holds no value.
    QString value(const QString &field) const;
    bool isNull(const QString &field) const;
    // A field of any record of the set (for a grid); the current one shows its pending edit.
    QString valueAt(int index, const QString &field);
    // A pending edit of the current record; false for an unknown field or no current record.
    bool setValue(const QString &field, const QString &value);
    bool hasPendingEdits() const { return cursor_.hasPendingEdits(); }
    // A new record with nothing typed into it: leaving it drops it.
    bool isBlankNewRecord() const { return cursor_.isBlankNewRecord(); }
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

signals:
    // open() has ended, whether or not it succeeded.
    void openFinished();
    // The records of the set changed (refresh, add, delete): a grid reads them again.
    void recordSetChanged();
    // Another record became current, or the current one was written.
    void currentChanged();
    // countSomeRecords() has made the count known.
    void recordCountKnown();
    // More records of the set were read between events, or the reading ended.
    void recordsRead();
    // A pending edit of the current record changed.
    void currentValuesChanged();
    // A record that was changed or deleted elsewhere since it was read was saved as a new
    // record rather than written over the other change.
    void savedAsNewRecord();

private:
    static constexpr int kFieldCount = kCommentFieldCount;
    using Values = CommentValues;
    using Record = CommentRecord;

    bool openDatabase();
    bool reload(const QString &action);
    bool readFirstPage(const QString &action, const RecordSetQuery &query);
    bool settleQuery(const QString &action, RecordSetQuery *query);
    void readOnLater();
    const Record *recordAt(int position);
    bool exists(int position) { return recordAt(position) != nullptr; }
    void makeCurrent(int position);
    bool leaveCurrentRecord();
    bool moveToPosition(int target);
    int lastPosition();
    bool writeCurrentRecord();
    bool insertRecord(const Values &values, qint64 *rowId);
    bool updateRecord(const Record &record, const Values &values, bool *stillThere);
    // The action and why the connection's last statement failed, as errorString() says it.
    bool fail(const QString &action);
    static QString unchangedCondition();
    static QVariantList unchangedValues(const Record &record);

    QString path_;
    QString recordSource_;
    std::optional<RecordFilter> filter_;
    QString error_;
    QString recordSetError_;
    bool open_ = false;
    quint64 recordSetId_ = 0;
    int sliceMs_;
    QTimer readOn_;
    RecordCursor cursor_;
    // Declared before the pages, which read through it.
    CommentConnection connection_;
    RecordPages pages_;
};
