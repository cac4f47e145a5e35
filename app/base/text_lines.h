#pragma once

#include <QString>
#include <QStringList>

// Every line the program writes ends with CR LF.
inline constexpr char kLineEnd[] = "\r\n";

// Splits text into lines ended by CR LF, LF or a lone CR; a final line end adds no line.
QStringList SplitTextLines(const QString &text);
// Each line followed by CR LF.
QString JoinTextLines(const QStringList &lines);
// Without leading and trailing blanks (code 32 only; tabs stay).
QString TrimBlanks(const QString &text);
