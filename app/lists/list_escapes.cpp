#include "lists/list_escapes.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
template <char... Own>
class AsciiSpecials
{
public:
    // Scanned before any copy is made, so the common plain name costs no allocation.
    static bool needsEscape(QStringView text)
    {
        const char16_t *end = text.utf16() + text.size();
        for (const char16_t *c = skipPlain(text.utf16(), end); c != end; c = skipPlain(c + 1, end)) {
            if (*c < 0x80 ? isSpecial(*c) : IsLineBreakingCharacter(QChar(*c)))
                return true;
        }
        return false;
    }

private:
    static constexpr bool isSpecial(char16_t c) { return c < 0x20 || c == 0x7F || ((c == char16_t(Own)) || ...); }

    // Past the printable ASCII characters that are none of the specials: most of every
    // name, checked eight at a time where the processor allows.
    static const char16_t *skipPlain(const char16_t *c, const char16_t *end)
    {
#if defined(__SSE2__)
        for (; end - c >= 8; c += 8) {
            const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(c));
            // Zero where space <= c <= tilde.
            const __m128i outside = _mm_or_si128(_mm_subs_epu16(chars, _mm_set1_epi16(0x7E)),
                                                 _mm_subs_epu16(_mm_set1_epi16(0x20), chars));
            __m128i plain = _mm_cmpeq_epi16(outside, _mm_setzero_si128());
            ((plain = _mm_andnot_si128(_mm_cmpeq_epi16(chars, _mm_set1_epi16(Own)), plain)), ...);
            if (const unsigned mask = unsigned(_mm_movemask_epi8(plain)); mask != 0xFFFF)
                return c + std::countr_one(mask) / 2;
        }
#endif
        while (c != end && *c < 0x80 && !isSpecial(*c))
            ++c;
        return c;
    }
};

using LineSpecials = AsciiSpecials<>;
using HtmlSpecials = AsciiSpecials<'<', '>', '"', '&'>;
using ScriptSpecials = AsciiSpecials<'\\', '\'', '"', '<', '>'>;

} // namespace

bool IsLineBreakingCharacter(QChar c)
{
    // The C0 and C1 controls with DEL, and the Unicode line and paragraph separators.
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

QString SingleLineText(const QString &text)
{
    if (!LineSpecials::needsEscape(text))
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
    if (!HtmlSpecials::needsEscape(text))
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
    if (!ScriptSpecials::needsEscape(text))
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
