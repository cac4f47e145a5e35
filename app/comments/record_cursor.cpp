#include "comments/record_cursor.h"

#include <algorithm>

void RecordCursor::show(int position, const CommentRecord *record)
{
    position_ = record ? position : -1;
    record_ = record ? *record : CommentRecord();
    isNew_ = false;
    pending_ = {};
}

void RecordCursor::startNew(int position)
{
    positionBeforeNew_ = position_;
    position_ = position;
    record_ = CommentRecord();
    isNew_ = true;
    pending_ = {};
}

void RecordCursor::written(const CommentRecord &record)
{
    record_ = record;
    isNew_ = false;
    pending_ = {};
}

CommentValues RecordCursor::values() const
{
    CommentValues values;
    for (int i = 0; i < kCommentFieldCount; ++i)
        values[i] = pending_[i] ? pending_[i] : TextOf(record_.values[i]);
    return values;
}

bool RecordCursor::setValue(int field, const QString &value)
{
    if (position_ < 0 || field < 0 || field >= kCommentFieldCount)
        return false;
    // An empty field and one without a value look alike.
    if (record_.stored && TextOf(record_.values[field]).value_or(QString()) == value)
        pending_[field].reset();
    else
        pending_[field] = NonNullText(value);
    return true;
}

bool RecordCursor::hasPendingEdits() const
{
    return std::any_of(pending_.begin(), pending_.end(), [](const auto &edit) { return edit.has_value(); });
}

bool RecordCursor::isBlankNewRecord() const
{
    return isNew_
           && std::all_of(pending_.begin(), pending_.end(), [](const auto &edit) { return !edit || edit->isEmpty(); });
}
