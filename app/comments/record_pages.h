#pragma once

#include "comments/comment_connection.h"
#include "comments/comment_record.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

class RecordFilter;

// What a refresh settles: the rows a record set lists (SELECT <key>, <fields> FROM ...),
// whether they carry their rowid (a table's do, a view's do not), and the last rowid then.
struct RecordSetQuery
{
    QString table;
    BoundSql rows;
    bool keyed = false;
    qint64 bound = 0;
};

// The records of a record set, read lazily, which is what lets a grid show a large table at
// once: the first page comes with the refresh, further pages as positions are asked for, and
// the count is asked of the engine, at once or a slice at a time. Positions count from 0 in
// the table's own order; the records added since the refresh follow the query's rows. Read
// rows are kept up to a limit, the ones farthest from the latest read dropped first.
//
// The records from the first on (the first page, and the ones a grid asks for as it scrolls)
// can be read a slice of time at a time: a search whose matches are few and far apart must
// look through the whole table before it has a page, so it goes on from the rowid where the
// last slice stopped, and the program handles its events in between.
class RecordPages
{
public:
    using Rows = std::vector<CommentRecord>;

    // readFailed is called whenever a read fails; the connection's error then says why.
    RecordPages(CommentConnection &connection, std::function<void()> readFailed);

    // The query of the filter's rows; not yet asked of the engine.
    static RecordSetQuery queryOf(const RecordFilter &filter);
    // Has the engine check the query and tells whether its rows are keyed; false when the
    // engine does not take it.
    bool settle(const RecordFilter &filter, RecordSetQuery *query);
    // A new record set: the query's rows, none read yet; its first page is asked for.
    void show(const RecordSetQuery &query);
    // A new record set without a record (its query's rows cannot be read).
    void showEmpty(const RecordSetQuery &query);
    const RecordSetQuery &query() const { return query_; }

    // Asks for `count` further records after the ones read or asked for; readOn() reads them.
    void askForMore(int count);
    // Whether records asked for are still to be read.
    bool isReading() const;
    // Reads the records asked for until they are read, the set has no more, or `ms` have
    // passed (at least one rowid range or page is read). False when a read fails; the records
    // still missing are then no longer asked for.
    bool readOn(qint64 ms);

    // Null when the set has no record there or it cannot be read.
    const CommentRecord *recordAt(int position);
    // How many records from the first on have been read.
    int readPrefix() const { return readPrefix_; }

    // Every record of the set, asked of the engine when not yet known; the records read so
    // far when the engine cannot count them.
    int count();
    std::optional<int> knownCount() const;
    // Makes the count of the query's rows known; false when the engine cannot count them.
    bool countQueryRows();
    // Counts a slice of the rows; true once the count is known.
    bool countSome();

    // A record this data source inserted joins the set at its end.
    void append(const CommentRecord &record);
    // The record at the position as it is now stored.
    void replace(int position, const CommentRecord &record);
    // The record at the position leaves the set; the ones after it move up.
    void remove(int position, const CommentRecord &record);

    // Where the set holds the row; nothing when it no longer does.
    std::optional<qint64> positionOfRow(qint64 rowId);
    // The position of the first record whose field equals the text without regard to case,
    // or nothing; false when the read fails.
    bool find(int field, const QString &wanted, std::optional<qint64> *position);

private:
    struct RowRange
    {
        std::optional<qint64> after;
        std::optional<qint64> upTo;
    };
    static BoundSql keyedRows(const RecordSetQuery &query, const RowRange &range, const BoundSql &condition,
                              const QString &tail);
    BoundSql keyedRows(const RowRange &range, const BoundSql &condition, const QString &tail) const
    {
        return keyedRows(query_, range, condition, tail);
    }
    bool readRows(const BoundSql &sql, Rows *rows);
    std::optional<qint64> readNumber(const BoundSql &sql);
    std::optional<qint64> countRows(const RowRange &range);
    void catchUpWithTheScan();
    void trimCache(int position);
    bool readPageAt(int position);
    bool scanRange();
    int missing() const;
    const CommentRecord *appendedAt(int position) const;

    CommentConnection &connection_;
    std::function<void()> readFailed_;
    RecordSetQuery query_;
    // Rows of the query read so far, by position; trimmed to a window around the latest read.
    std::map<int, CommentRecord> cache_;
    // Positions 0 .. readPrefix_ - 1 have been read at least once; they are the query rows up
    // to the rowid scannedUpTo_ (for keyed rows). Rows up to wanted_ are asked for.
    int readPrefix_ = 0;
    std::optional<qint64> scannedUpTo_;
    int wanted_ = 0;
    qint64 scanSlice_ = 0;
    // The number of query rows, once asked of the engine or reached by reading.
    std::optional<int> queryCount_;
    // The sliced count so far: query rows up to this rowid, and the rowids of the next slice.
    std::optional<qint64> countedUpTo_;
    int partialCount_ = 0;
    qint64 countSlice_ = 0;
    // Records inserted since the refresh; they follow the query rows.
    Rows appended_;
};
