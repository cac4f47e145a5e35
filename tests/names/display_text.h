#pragma once

#include <QString>

// True when the text holds only what a cleaned name may hold: spaces, apostrophes,
// decimal digits, letters and the accent marks that follow them (no lone surrogate).
inline bool OnlyDisplayCharacters(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!(c == u' ' || c == u'\'' || QChar::isDigit(c) || QChar::isLetter(c) || QChar::isMark(c)))
            return false;
    }
    return true;
}
