#pragma once

#include "comments/comment_record.h"

// The current record of a record set, as it was read, and what has been typed into it but
// not yet written: until the data source writes the edits, they are here and nowhere else.
// It knows nothing of the database.
class RecordCursor
{
public:
    // 0-based position in the record set; -1 for none.
    int position() const { return position_; }
    bool hasRecord() const { return position_ >= 0; }
    bool isNew() const { return isNew_; }
    // The record as it was read or last written, without the edits.
    const CommentRecord &record() const { return record_; }

    // The record at the position becomes current (none without a record); edits are dropped.
    void show(int position, const CommentRecord *record);
    // A blank new record at the position becomes current.
    void startNew(int position);
    // Where the cursor stood when the new record was started.
    int positionBeforeNew() const { return positionBeforeNew_; }
    // The current record was written as it now stands: it is stored, without edits.
    void written(const CommentRecord &record);

    // The fields as they show, edits included.
    CommentValues values() const;
    // An edit of a field; putting back what is stored is no edit. False without a record or
    // for an index that is no field.
    bool setValue(int field, const QString &value);
    bool hasPendingEdits() const;
    // A new record with nothing typed into it.
    bool isBlankNewRecord() const;
    void dropEdits() { pending_ = {}; }

private:
    int position_ = -1;
    CommentRecord record_;
    bool isNew_ = false;
    int positionBeforeNew_ = -1;
    CommentValues pending_;
};
