#include "lists/entry_names.h"

namespace {

bool IsAsciiLetterOrDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
}

} // namespace

QString TrimmedPath(const QString &directory, QChar separator)
{
    return directory.endsWith(separator) ? directory.chopped(1) : directory;
}

QString FolderIdentifier(const QString &directory, QChar separator)
{
    const QString trimmed = TrimmedPath(directory, separator);
    QString identifier;
    identifier.reserve(trimmed.size() + 1);
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        // A character outside the basic plane is one character, not two.
        if (c.isHighSurrogate() && i + 1 < trimmed.size() && trimmed[i + 1].isLowSurrogate())
            ++i;
        identifier += IsAsciiLetterOrDigit(c) ? c : QLatin1Char('_');
    }
    // A script name can be neither empty nor start with a digit.
    if (identifier.isEmpty() || identifier.front().isDigit())
        identifier.prepend(QLatin1Char('_'));
    return identifier;
}

QString ParentPath(const QString &directory, QChar separator)
{
    const QString trimmed = TrimmedPath(directory, separator);
    const qsizetype last = trimmed.lastIndexOf(separator);
    return last < 0 ? QString() : trimmed.left(last);
}

QString LastPathPart(const QString &directory, QChar separator)
{
    const QString trimmed = TrimmedPath(directory, separator);
    if (trimmed.isEmpty())
        return directory;
    return trimmed.mid(trimmed.lastIndexOf(separator) + 1);
}

QString StripApostrophes(const QString &name)
{
    QString stripped = name;
    return stripped.remove(QLatin1Char('\''));
}

