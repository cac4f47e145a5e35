#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// One record of the comment table: its fields in the order of kCommentFieldNames (Author,
// Title, Genre, File, Comment); nothing for a field without a value.
inline constexpr int kCommentFieldCount = 5;
using CommentValues = std::array<std::optional<QString>, kCommentFieldCount>;

// A record as read from the table. The values are kept as read (UTF-8), so that a page of
// records is read without converting every comment.
struct CommentRecord
{
    qint64 rowId = 0;
    bool stored = false;
    std::array<std::optional<QByteArray>, kCommentFieldCount> values;
};

// The field's index, its name compared without regard to case; -1 for no field of the table.
int CommentFieldIndex(const QString &name);

// An empty text that stays distinct from "no value" when bound.
QString NonNullText(const QString &text);

// A stored value as text; nothing for no value.
std::optional<QString> TextOf(const std::optional<QByteArray> &stored);
