#pragma once

#include <QString>

// Clean-up of file-name fragments (author, title, folder) into display form.
// Characters are classed as space, apostrophe, digit (any decimal digit), capital or
// small letter (any letter, by its case; letters of scripts without case count as small),
// and "other": punctuation, control characters, symbols. An accent mark written after its
// letter stays with it. Case conversion is the Unicode one, so names in any script keep
// their letters. No routine fails, whatever the text's length or content.
namespace NameRoutines {

// The display form: remarks in "( )" and "[ ]" dropped, other characters blanked,
// a run-together word split at its capitals, single spaces, every word capitalised.
QString CleanName(const QString &text);

// Cuts out the stretch from the first "(" to the first ")". Where the first ")"
// stands before the first "(", both marks become spaces instead.
QString RemoveParentheses(const QString &text);
// The same for "[" and "]".
QString RemoveBrackets(const QString &text);

// Every character of class other becomes one space; the length stays.
QString BlankOddCharacters(const QString &text);
// True when the text holds a small letter.
bool HasLowerCase(const QString &text);
// Inserts a space before each capital that begins a word or follows a non-capital.
QString SplitAtCapitals(const QString &text);
// Lower case, with the first character and every character after a space upper case.
QString ProperCase(const QString &text);
// Each run of spaces becomes one space; leading and trailing spaces go.
QString CollapseSpaces(const QString &text);

} // namespace NameRoutines
