#pragma once

#include <QString>

#include <algorithm>

// True when the text holds only what a cleaned name may hold: spaces, apostrophes,
// digits and the letters A-Z and a-z.
inline bool OnlyDisplayCharacters(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u' ' || u == u'\'' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z')
               || (u >= u'a' && u <= u'z');
    });
}
