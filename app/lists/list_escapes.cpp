#include "lists/list_escapes.h"

#include <string_view>

namespace {

constexpr QChar kReplacementCharacter(0xFFFD);

// "\xHH" or "\uHHHH", upper-case digits as in "\x3C".
QString HexEscape(char16_t code)
{
    const bool byte = code <= 0xFF;
    const QString digits = QString::number(code, 16).toUpper();
    return QLatin1String(byte ? "\\x" : "\\u") + digits.rightJustified(byte ? 2 : 4, QLatin1Char('0'));
}

// The ASCII characters a format must rewrite: the controls and its own specials.
class AsciiSpecials
{
public:
    constexpr explicit AsciiSpecials(std::string_view specials)
    {
        for (int code = 0; code < 0x20; ++code)
            special_[code] = true;
        special_[0x7F] = true;
        for (const char c : specials)
            special_[static_cast<unsigned char>(c)] = true;
    }

    // Scanned before any copy is made, so the common plain name costs no allocation.
    bool needsEscape(const QString &text) const
    {
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code < 0x80 ? special_[code] : IsLineBreakingCharacter(c))
                return true;
        }
        return false;
    }

private:
    bool special_[0x80] = {};
};

constexpr AsciiSpecials kLineSpecials{""};
constexpr AsciiSpecials kHtmlSpecials{"<>\"&"};
constexpr AsciiSpecials kScriptSpecials{"\\'\"<>"};

} // namespace

bool IsLineBreakingCharacter(QChar c)
{
    // The C0 and C1 controls with DEL, and the Unicode line and paragraph separators.
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

QString SingleLineText(const QString &text)
{
    if (!kLineSpecials.needsEscape(text))
        return text;
    QString result = text;
    for (QChar &c : result) {
        if (IsLineBreakingCharacter(c))
            c = kReplacementCharacter;
    }
    return result;
}

namespace {

// Browsers read "&" followed by a letter, digit or "#" as the start of a character
// reference, even without the closing ";".
bool StartsReference(const QString &text, qsizetype ampersand)
{
    if (ampersand + 1 >= text.size())
        return false;
    const char16_t next = text[ampersand + 1].unicode();
    return next == u'#' || (next < 0x80 && QChar(next).isLetterOrNumber());
}

} // namespace

QString HtmlText(const QString &text)
{
    if (!kHtmlSpecials.needsEscape(text))
        return text;
    const QString line = SingleLineText(text);
    QString result;
    result.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        switch (line[i].unicode()) {
        case u'<': result += QLatin1String("&lt;"); break;
        case u'>': result += QLatin1String("&gt;"); break;
        case u'"': result += QLatin1String("&quot;"); break;
        case u'&': result += StartsReference(line, i) ? QLatin1String("&amp;") : QLatin1String("&"); break;
        default: result += line[i];
        }
    }
    return result;
}

QString ScriptStringText(const QString &text)
{
    if (!kScriptSpecials.needsEscape(text))
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
