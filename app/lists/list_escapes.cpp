#include "lists/list_escapes.h"

namespace {

constexpr QChar kReplacementCharacter(0xFFFD);

// "\xHH" or "\uHHHH", upper-case digits as in "\x3C".
QString HexEscape(char16_t code)
{
    const bool byte = code <= 0xFF;
    const QString digits = QString::number(code, 16).toUpper();
    return QLatin1String(byte ? "\\x" : "\\u") + digits.rightJustified(byte ? 2 : 4, QLatin1Char('0'));
}

// Plain printable ASCII other than the given specials: the common case, left untouched.
bool IsPlain(QChar c, QLatin1String specials)
{
    const char16_t code = c.unicode();
    return code >= 0x20 && code < 0x7F && !specials.contains(QLatin1Char(char(code)));
}

bool NeedsEscape(const QString &text, QLatin1String specials)
{
    for (const QChar c : text) {
        if (!IsPlain(c, specials) && (c.unicode() < 0x80 || IsLineBreakingCharacter(c)))
            return true;
    }
    return false;
}

} // namespace

bool IsLineBreakingCharacter(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator
           || c == QChar::ParagraphSeparator;
}

QString SingleLineText(const QString &text)
{
    if (!NeedsEscape(text, QLatin1String()))
        return text;
    QString result = text;
    for (QChar &c : result) {
        if (IsLineBreakingCharacter(c))
            c = kReplacementCharacter;
    }
    return result;
}

QString HtmlText(const QString &text)
{
    if (!NeedsEscape(text, QLatin1String("<>\"")))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : SingleLineText(text)) {
        switch (c.unicode()) {
        case u'<': result += QLatin1String("&lt;"); break;
        case u'>': result += QLatin1String("&gt;"); break;
        case u'"': result += QLatin1String("&quot;"); break;
        default: result += c;
        }
    }
    return result;
}

QString ScriptStringText(const QString &text)
{
    if (!NeedsEscape(text, QLatin1String("\\'\"<>")))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': result += QLatin1String("\\\\"); break;
        case u'\n': result += QLatin1String("\\n"); break;
        case u'\r': result += QLatin1String("\\r"); break;
        case u'\t': result += QLatin1String("\\t"); break;
        case u'\'':
        case u'"':
        case u'<':
        case u'>':
            result += HexEscape(c.unicode());
            break;
        default:
            if (IsLineBreakingCharacter(c))
                result += HexEscape(c.unicode());
            else
                result += c;
        }
    }
    return result;
}
