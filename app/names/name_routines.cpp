#include "names/name_routines.h"

#include "base/text_lines.h"

namespace NameRoutines {

namespace {

constexpr char16_t kSpace = u' ';

// The code point that starts at i, and how many UTF-16 units it takes. A lone surrogate
// stands for itself, so it is classed as other.
struct CodePoint
{
    char32_t value;
    qsizetype width;
};

CodePoint CodePointAt(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return {QChar::surrogateToUcs4(c, text[i + 1]), 2};
    return {c.unicode(), 1};
}

// Letters are capital by their case (title-case letters count as capitals); every other
// letter, also one of a script without case, counts as small.
bool IsCapital(char32_t c)
{
    return QChar::isLetter(c) && (QChar::isUpper(c) || QChar::isTitleCase(c));
}

bool IsSmall(char32_t c)
{
    return QChar::isLetter(c) && !IsCapital(c);
}

bool IsKept(char32_t c)
{
    return c == kSpace || c == u'\'' || QChar::isDigit(c) || QChar::isLetter(c);
}

// An accent written as a mark after its letter (names from systems that store decomposed
// text) belongs to that letter.
bool IsMark(char32_t c)
{
    return QChar::isMark(c);
}

void AppendCodePoint(QString &text, char32_t c)
{
    if (QChar::requiresSurrogates(c)) {
        text.append(QChar(QChar::highSurrogate(c)));
        text.append(QChar(QChar::lowSurrogate(c)));
    } else {
        text.append(QChar(char16_t(c)));
    }
}

constexpr char32_t kCapitalSigma = U'\u03A3';
constexpr char32_t kFinalSigma = U'\u03C2';

// A capital sigma that ends a word after a letter becomes the final form when lowered.
bool EndsWordAfterLetter(const QString &text, qsizetype i, qsizetype width)
{
    const bool afterLetter = i > 0 && QChar::isLetter(text[i - 1].unicode());
    const qsizetype next = i + width;
    const bool atWordEnd = next >= text.size() || !QChar::isLetter(CodePointAt(text, next).value);
    return afterLetter && atWordEnd;
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
    const QString s = TrimBlanks(BlankOddCharacters(RemoveBrackets(RemoveParentheses(text))));
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
    bool afterKept = false;
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint c = CodePointAt(text, i);
        const bool kept = IsKept(c.value) || (afterKept && IsMark(c.value));
        if (!kept) {
            for (qsizetype k = 0; k < c.width; ++k)
                result[i + k] = kSpace;
        }
        afterKept = kept && c.value != kSpace;
        i += c.width;
    }
    return result;
}

bool HasLowerCase(const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint c = CodePointAt(text, i);
        if (IsSmall(c.value))
            return true;
        i += c.width;
    }
    return false;
}

QString SplitAtCapitals(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 2);
    bool previousCapital = true;
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint c = CodePointAt(text, i);
        const qsizetype next = i + c.width;
        const bool capital = IsCapital(c.value);
        const bool nextCapital = next < text.size() ? IsCapital(CodePointAt(text, next).value) : true;
        if (capital && (!nextCapital || !previousCapital))
            result.append(kSpace);
        result.append(text.mid(i, c.width));
        previousCapital = capital;
        i = next;
    }
    return result;
}

QString ProperCase(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const CodePoint c = CodePointAt(text, i);
        const bool startsWord = i == 0 || text[i - 1].unicode() == kSpace;
        char32_t cased = startsWord ? QChar::toTitleCase(c.value) : QChar::toLower(c.value);
        if (!startsWord && c.value == kCapitalSigma && EndsWordAfterLetter(text, i, c.width))
            cased = kFinalSigma;
        AppendCodePoint(result, cased);
        i += c.width;
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
    return TrimBlanks(result);
}

} // namespace NameRoutines
