#include "comments/access_like.h"

#include <QList>
#include <QVarLengthArray>

#include <sqlite3.h>

#include <memory>

namespace {

using CodePoints = QVarLengthArray<char32_t, 256>;

const QString kInvalidPattern = QStringLiteral("Invalid pattern string");

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

char32_t upperCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
    return QChar::toUpper(c);
}

CodePoints codePointsOf(QStringView text)
{
    CodePoints out;
    for (const char32_t c : text.toUcs4())
        out.append(c);
    return out;
}

// Malformed bytes become U+FFFD, one per byte, so every value can be matched.
CodePoints codePointsOfUtf8(const char *text, qsizetype size)
{
    CodePoints out;
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        int length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            out.append(lead);
            ++i;
            continue;
        }
        if ((lead >> 5) == 0x6) {
            length = 2;
            c = lead & 0x1F;
        } else if ((lead >> 4) == 0xE) {
            length = 3;
            c = lead & 0x0F;
        } else if ((lead >> 3) == 0x1E) {
            length = 4;
            c = lead & 0x07;
        }
        bool wellFormed = length > 0 && i + length <= size;
        for (int k = 1; wellFormed && k < length; ++k) {
            wellFormed = (bytes[i + k] & 0xC0) == 0x80;
            c = (c << 6) | (bytes[i + k] & 0x3F);
        }
        out.append(wellFormed ? c : char32_t(0xFFFD));
        i += wellFormed ? length : 1;
    }
    return out;
}

} // namespace

bool AccessLikePattern::Token::accepts(char32_t c) const
{
    switch (kind) {
    case Literal:
        return foldCase(c) == character;
    case AnyCharacter:
        return true;
    case Digit:
        return c >= '0' && c <= '9';
    case CharacterList: {
        const char32_t variants[] = {c, foldCase(c), upperCase(c)};
        bool listed = false;
        for (const auto &[low, high] : ranges) {
            for (const char32_t v : variants)
                listed = listed || (v >= low && v <= high);
        }
        return listed != negated;
    }
    case Star:
        break;
    }
    return false;
}

AccessLikePattern::AccessLikePattern(QStringView pattern)
{
    const CodePoints points = codePointsOf(pattern);
    parse(points);
    if (!isValid())
        tokens_.clear();
}

void AccessLikePattern::parse(std::span<const char32_t> pattern)
{
    qsizetype i = 0;
    const auto size = qsizetype(pattern.size());
    while (i < size && isValid()) {
        const char32_t c = pattern[i];
        if (c == '[') {
            i = parseCharacterList(pattern, i);
            continue;
        }
        Token token;
        switch (c) {
        case '*':
            token.kind = Token::Star;
            break;
        case '?':
            token.kind = Token::AnyCharacter;
            break;
        case '#':
            token.kind = Token::Digit;
            break;
        default:
            token.character = foldCase(c);
            break;
        }
        // A run of stars means the same as one star and costs less to match.
        if (token.kind != Token::Star || tokens_.empty() || tokens_.back().kind != Token::Star)
            tokens_.push_back(std::move(token));
        ++i;
    }
}

// Reads "[...]" starting at the "[" and returns the position after the "]".
// "-" between two characters makes a range; at either end of the list it stands for itself.
qsizetype AccessLikePattern::parseCharacterList(std::span<const char32_t> pattern, qsizetype open)
{
    const auto size = qsizetype(pattern.size());
    qsizetype close = open + 1;
    while (close < size && pattern[close] != ']')
        ++close;
    if (close == size) {
        error_ = kInvalidPattern;
        return size;
    }
    Token token;
    token.kind = Token::CharacterList;
    qsizetype j = open + 1;
    if (j < close && pattern[j] == '!') {
        token.negated = true;
        ++j;
    }
    while (j < close) {
        if (j + 2 < close && pattern[j + 1] == '-') {
            if (pattern[j] > pattern[j + 2]) {
                error_ = kInvalidPattern;
                return size;
            }
            token.ranges.emplace_back(pattern[j], pattern[j + 2]);
            j += 3;
        } else {
            token.ranges.emplace_back(pattern[j], pattern[j]);
            ++j;
        }
    }
    // "[]" stands for no character at all.
    if (token.negated || !token.ranges.empty())
        tokens_.push_back(std::move(token));
    return close + 1;
}

bool AccessLikePattern::matches(QStringView value) const
{
    return matchesCodePoints(codePointsOf(value));
}

bool AccessLikePattern::matchesUtf8(const char *text, qsizetype size) const
{
    return matchesCodePoints(codePointsOfUtf8(text, size));
}

// Every token but the star takes exactly one character, so on a mismatch it is enough to
// let the most recent star take one more character: no deeper backtracking is ever needed.
bool AccessLikePattern::matchesCodePoints(std::span<const char32_t> value) const
{
    if (!isValid())
        return false;
    constexpr size_t none = size_t(-1);
    const size_t tokenCount = tokens_.size();
    size_t t = 0;
    size_t v = 0;
    size_t starToken = none;
    size_t starValue = 0;
    while (v < value.size()) {
        if (t < tokenCount && tokens_[t].kind == Token::Star) {
            starToken = t++;
            starValue = v;
        } else if (t < tokenCount && tokens_[t].accepts(value[v])) {
            ++t;
            ++v;
        } else if (starToken != none) {
            t = starToken + 1;
            v = ++starValue;
        } else {
            return false;
        }
    }
    while (t < tokenCount && tokens_[t].kind == Token::Star)
        ++t;
    return t == tokenCount;
}

bool accessLikeMatches(QStringView pattern, QStringView value)
{
    return AccessLikePattern(pattern).matches(value);
}

namespace {

void deletePattern(void *pattern)
{
    delete static_cast<AccessLikePattern *>(pattern);
}

// like(pattern, value). The compiled pattern is kept as auxiliary data of argument 0,
// so a constant pattern is compiled once per statement rather than once per row.
void accessLikeFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto *kept = static_cast<AccessLikePattern *>(sqlite3_get_auxdata(context, 0));
    std::unique_ptr<AccessLikePattern> compiled;
    if (!kept) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
        compiled = std::make_unique<AccessLikePattern>(QString::fromUtf8(text, sqlite3_value_bytes(arguments[0])));
    }
    const AccessLikePattern &pattern = kept ? *kept : *compiled;
    if (!pattern.isValid()) {
        sqlite3_result_error(context, kInvalidPattern.toUtf8().constData(), -1);
        return;
    }
    const auto *value = reinterpret_cast<const char *>(sqlite3_value_text(arguments[1]));
    sqlite3_result_int(context, pattern.matchesUtf8(value, sqlite3_value_bytes(arguments[1])) ? 1 : 0);
    // Handed over only after use: SQLite may destroy it at once.
    if (compiled)
        sqlite3_set_auxdata(context, 0, compiled.release(), deletePattern);
}

} // namespace

bool registerAccessLike(sqlite3 *connection, QString *error)
{
    const int rc = sqlite3_create_function_v2(connection, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                              accessLikeFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    return true;
}
