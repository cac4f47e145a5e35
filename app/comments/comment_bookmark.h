#pragma once

#include <QtGlobal>

// Names one record of one record set. Any other record set, also the same data source's
// set after a refresh, finds no record by it. A default-constructed bookmark is empty.
class CommentBookmark
{
public:
    CommentBookmark() = default;

    bool isEmpty() const { return recordSet_ == 0; }
    friend bool operator==(const CommentBookmark &, const CommentBookmark &) = default;

private:
    friend class CommentDataSource;
    CommentBookmark(quint64 recordSet, qint64 rowId) : recordSet_(recordSet), rowId_(rowId) {}

    quint64 recordSet_ = 0;
    qint64 rowId_ = 0;
};
