#include "names/name_routines.h"

#include <algorithm>

namespace NameRoutines {

namespace {

constexpr char16_t kSpace = u' ';

bool IsCapital(QChar c)
{
    return c.unicode() >= u'A' && c.unicode() <= u'Z';
}

bool IsSmall(QChar c)
{
    return c.unicode() >= u'a' && c.unicode() <= u'z';
}

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool IsOther(QChar c)
{
    return !(c.unicode() == kSpace || c.unicode() == u'\'' || IsDigit(c) || IsCapital(c) || IsSmall(c));
}

QChar AsciiLower(QChar c)
{
    return IsCapital(c) ? QChar(c.unicode() + (u'a' - u'A')) : c;
}

QChar AsciiUpper(QChar c)
{
    return IsSmall(c) ? QChar(c.unicode() - (u'a' - u'A')) : c;
}

// Only the first pair is taken out. Marks in the wrong order are blanked rather than
// cutting "before the opening" and "after the closing", which would repeat the
// characters between them.
QString RemoveStretch(const QString &text, QChar open, QChar close)
{
    const qsizetype opening = text.indexOf(open);
    const qsizetype closing = text.indexOf(close);
    if (opening < 0 || closing < 0)
        return text;
    if (closing < opening) {
        QString blanked = text;
        blanked[opening] = kSpace;
        blanked[closing] = kSpace;
        return blanked;
    }
    return text.left(opening) + text.mid(closing + 1);
}

} // namespace

QString CleanName(const QString &text)
{
    const QString s = TrimSpaces(BlankOddCharacters(RemoveBrackets(RemoveParentheses(text))));
    if (s.contains(kSpace))
        return ProperCase(CollapseSpaces(s));
    if (HasLowerCase(s))
        return CollapseSpaces(ProperCase(SplitAtCapitals(s)));
    return ProperCase(s);
}

QString RemoveParentheses(const QString &text)
{
    return RemoveStretch(text, u'(', u')');
}

QString RemoveBrackets(const QString &text)
{
    return RemoveStretch(text, u'[', u']');
}

QString BlankOddCharacters(const QString &text)
{
    QString result = text;
    std::replace_if(result.begin(), result.end(), IsOther, QChar(kSpace));
    return result;
}

bool HasLowerCase(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), IsSmall);
}

QString SplitAtCapitals(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 2);
    bool previousCapital = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool capital = IsCapital(text[i]);
        const bool nextCapital = i + 1 < text.size() ? IsCapital(text[i + 1]) : true;
        if (capital && (!nextCapital || !previousCapital))
            result.append(kSpace);
        result.append(text[i]);
        previousCapital = capital;
    }
    return result;
}

QString ProperCase(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const bool startsWord = i == 0 || result[i - 1].unicode() == kSpace;
        result[i] = startsWord ? AsciiUpper(result[i]) : AsciiLower(result[i]);
    }
    return result;
}

QString CollapseSpaces(const QString &text)
{
    QString result;
    result.reserve(text.size());
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.unicode() == kSpace ? run + 1 : 0;
        if (run < 2)
            result.append(c);
    }
    return TrimSpaces(result);
}

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first].unicode() == kSpace)
        ++first;
    while (end > first && text[end - 1].unicode() == kSpace)
        --end;
    return text.mid(first, end - first);
}

} // namespace NameRoutines
