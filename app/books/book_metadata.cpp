#include "books/book_metadata.h"

namespace {

// Longer than any real author or title, short enough for a line on the window.
constexpr qsizetype kMaxTextLength = 500;

} // namespace

QString BookMetadata::authorText() const
{
    return authors.join(QLatin1String(" & "));
}

QString CleanMetadataText(const QString &text)
{
    QString cleaned;
    cleaned.reserve(qMin(text.size(), kMaxTextLength));
    bool pendingBlank = false;
    for (const QChar c : text) {
        if (cleaned.size() >= kMaxTextLength)
            break;
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            pendingBlank = !cleaned.isEmpty();
            continue;
        }
        if (pendingBlank)
            cleaned.append(QLatin1Char(' '));
        pendingBlank = false;
        cleaned.append(c);
    }
    if (!cleaned.isEmpty() && cleaned.back().isHighSurrogate())
        cleaned.chop(1); // the cut fell inside a pair
    return cleaned;
}

QStringList CleanAuthors(const QStringList &authors)
{
    QStringList cleaned;
    for (const QString &author : authors) {
        const QString text = CleanMetadataText(author);
        if (!text.isEmpty() && !cleaned.contains(text))
            cleaned.append(text);
    }
    return cleaned;
}
