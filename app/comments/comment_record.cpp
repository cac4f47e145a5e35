#include "comments/comment_record.h"

#include "comments/comment_schema.h"

int CommentFieldIndex(const QString &name)
{
    for (size_t i = 0; i < kCommentFieldNames.size(); ++i) {
        if (name.compare(QLatin1String(kCommentFieldNames[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString NonNullText(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

std::optional<QString> TextOf(const std::optional<QByteArray> &stored)
{
    return stored ? std::optional<QString>(NonNullText(QString::fromUtf8(*stored))) : std::nullopt;
}
