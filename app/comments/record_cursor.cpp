#include "comments/record_cursor.h"

#include <algorithm>

void RecordCursor::show(int position, const CommentRecord *record)
{
    m_position = record ? position : -1;
    m_record = record ? *record : CommentRecord();
    m_isNew = false;
    m_pending = {};
}

void RecordCursor::startNew(int position)
{
    m_positionBeforeNew = m_position;
    m_position = position;
    m_record = CommentRecord();
    m_isNew = true;
    m_pending = {};
}

void RecordCursor::written(const CommentRecord &record)
{
    m_record = record;
    m_isNew = false;
    m_pending = {};
}

CommentValues RecordCursor::values() const
{
    CommentValues values;
    for (int i = 0; i < kCommentFieldCount; ++i)
        values[i] = m_pending[i] ? m_pending[i] : TextOf(m_record.values[i]);
    return values;
}

bool RecordCursor::setValue(int field, const QString &value)
{
    if (m_position < 0 || field < 0 || field >= kCommentFieldCount)
        return false;
    // An empty field and one without a value look alike.
    if (m_record.stored && TextOf(m_record.values[field]).value_or(QString()) == value)
        m_pending[field].reset();
    else
        m_pending[field] = NonNullText(value);
    return true;
}

bool RecordCursor::hasPendingEdits() const
{
    return std::any_of(m_pending.begin(), m_pending.end(), [](const auto &edit) { return edit.has_value(); });
}

bool RecordCursor::isBlankNewRecord() const
{
    return m_isNew
           && std::all_of(m_pending.begin(), m_pending.end(), [](const auto &edit) { return !edit || edit->isEmpty(); });
}
