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

} // namespace

bool IsLineBreakingCharacter(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator
           || c == QChar::ParagraphSeparator;
}

QString SingleLineText(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (IsLineBreakingCharacter(c))
            c = kReplacementCharacter;
    }
    return result;
}

QString HtmlText(const QString &text)
{
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
            result += IsLineBreakingCharacter(c) ? HexEscape(c.unicode()) : QString(c);
        }
    }
    return result;
}
