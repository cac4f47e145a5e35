#pragma once

#include <QString>
#include <QStringView>

#include <span>
#include <vector>

struct sqlite3;

// A pattern of the Access LIKE operator: "*" any run of characters (also none), "?" one
// character, "#" one digit, "[list]" one character of the list ("a-z" ranges, a leading
// "!" negates, "[*]" matches a literal "*"). Letters compare without regard to case.
// Matching takes at most pattern length times value length steps, never exponential time.
class AccessLikePattern
{
public:
    explicit AccessLikePattern(QStringView pattern);

    // False for an open "[" or a descending range such as "[z-a]"; such a pattern matches nothing.
    bool isValid() const { return error_.isEmpty(); }
    QString errorString() const { return error_; }

    bool matches(QStringView value) const;
    // The value as UTF-8, as SQLite hands it over.
    bool matchesUtf8(const char *text, qsizetype size) const;

private:
    struct Token
    {
        enum Kind { Literal, AnyCharacter, Digit, Star, CharacterList };
        Kind kind = Literal;
        char32_t character = 0; // Literal: case-folded
        bool negated = false;   // CharacterList
        std::vector<std::pair<char32_t, char32_t>> ranges; // CharacterList: single characters are ranges of one
        bool accepts(char32_t c) const;
    };

    bool matchesCodePoints(std::span<const char32_t> value) const;
    void parse(std::span<const char32_t> pattern);
    qsizetype parseCharacterList(std::span<const char32_t> pattern, qsizetype open);

    std::vector<Token> tokens_;
    QString error_;
};

// Whether value matches pattern by the rules above (an invalid pattern matches nothing).
bool accessLikeMatches(QStringView pattern, QStringView value);

// Replaces LIKE on the SQLite connection: like(pattern, value) with the rules
// above. NULL on either side gives NULL, so a field without a value never matches, not even
// "*". An invalid pattern makes the statement fail with "Invalid pattern string".
// Must be called on every connection that runs Access query texts.
bool registerAccessLike(sqlite3 *connection, QString *error = nullptr);
