#include "shell/web_search.h"

#include "base/text_lines.h"

namespace {

bool mustEncode(unsigned char byte)
{
    switch (byte) {
    case '&':
    case '#':
    case '%':
    case '+':
    case '?':
    case '=':
        return true;
    default:
        return byte < 0x20 || byte >= 0x7F;
    }
}

} // namespace

bool HasSearchSubject(const QString &title, const QString &author)
{
    return !title.isEmpty() || !author.isEmpty();
}

QString SearchWords(const QString &title, const QString &author)
{
    static const char hex[] = "0123456789ABCDEF";
    const QByteArray joined = (TrimBlanks(title) + QLatin1Char(' ') + TrimBlanks(author)).toUtf8();
    QByteArray words;
    words.reserve(joined.size() * 3);
    for (const char c : joined) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ') {
            words.append('+');
        } else if (mustEncode(byte)) {
            words.append('%');
            words.append(hex[byte >> 4]);
            words.append(hex[byte & 0x0F]);
        } else {
            words.append(c);
        }
    }
    return QString::fromLatin1(words);
}

QString SearchAddress(const QString &prefix, const QString &title, const QString &author)
{
    return prefix + SearchWords(title, author);
}

std::optional<int> ChosenLink(const QStringList &names, int selected, const QString &text)
{
    if (selected >= 0 && selected < names.size() && names[selected] == text)
        return selected;
    const qsizetype found = names.indexOf(text);
    if (found >= 0)
        return int(found);
    return std::nullopt;
}
