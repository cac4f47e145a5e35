#pragma once

#include <QString>

// Names on this system may hold characters that would break a list apart: line breaks
// and other control characters, markup characters, backslashes. These functions make any
// name, path or title safe for the place in a list where it is written, and leave every
// other character exactly as it is.

// True for a character that may end or disturb a line: the control characters
// (C0, DEL, C1) and the Unicode line and paragraph separators.
bool IsLineBreakingCharacter(QChar c);

// The text with each line-breaking character replaced by U+FFFD, the same visible mark
// that stands for bytes of a name that were not valid UTF-8. Keeps one entry per line.
QString SingleLineText(const QString &text);

// SingleLineText with "<", ">" and '"' written as HTML entities, so that no name can
// open or close markup, and "&" as "&amp;" where a letter, digit or "#" follows it, so
// that "Caf&eacute;.txt" shows as written. Any other "&" (as in "Tom & Jerry") and "'"
// stay as they are.
QString HtmlText(const QString &text);

// The text as the inside of a quoted script string: backslashes, quotes, control
// characters, line separators and "<" ">" become standard escapes, so the string can
// neither end early nor close the script element.
QString ScriptStringText(const QString &text);
