#include "lists/entry_names.h"

namespace {

bool IsAsciiDigit(QChar c)
{
    return unsigned(c.unicode() - u'0') < 10u;
}

bool IsAsciiLetterOrDigit(QChar c)
{
    // Setting bit 0x20 turns A-Z into a-z and no other character into a letter.
    return unsigned((c.unicode() | 0x20) - u'a') < 26u || IsAsciiDigit(c);
}

} // namespace

QString TrimmedPath(const QString &directory, QChar separator)
{
    return directory.endsWith(separator) ? directory.chopped(1) : directory;
}

QString FolderIdentifier(const QString &directory, QChar separator)
{
    const QString trimmed = TrimmedPath(directory, separator);
    // A script name can be neither empty nor start with a digit.
    const bool prefixed = trimmed.isEmpty() || IsAsciiDigit(trimmed.front());
    // Written into place: a tree has an identifier per folder, each as long as its path.
    QString identifier(trimmed.size() + (prefixed ? 1 : 0), Qt::Uninitialized);
    QChar *out = identifier.data();
    if (prefixed)
        *out++ = QLatin1Char('_');
    const QChar *end = trimmed.constEnd();
    for (const QChar *c = trimmed.constBegin(); c != end; ++c) {
        *out++ = IsAsciiLetterOrDigit(*c) ? *c : QLatin1Char('_');
        // A character outside the basic plane is one character, not two.
        if (c->isHighSurrogate() && c + 1 != end && c[1].isLowSurrogate())
            ++c;
    }
    identifier.truncate(out - identifier.constData());
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

