#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 has them: records end with CR LF; a field holding a
// comma, a quote or a line break is quoted, its quotes doubled.
QByteArray CsvLine(const QStringList &fields);

// Splits the text into records of fields; line breaks inside quoted fields stay. Accepts LF
// as well as CR LF between records. The text is UTF-8 (a leading byte order mark is skipped);
// bytes that are not UTF-8 are read as Windows-1252, what spreadsheets write, and
// *windows1252 (when given) says so. False, with the line number in *error, for a quote that
// never closes.
bool ParseCsv(const QByteArray &text, QList<QStringList> *records, QString *error, bool *windows1252 = nullptr);

// Windows-1252 text; its five unassigned bytes become the control characters of the same
// number, as Windows reads them.
QString FromWindows1252(const QByteArray &bytes);

// A spreadsheet takes a field that begins with "=", "+", "-" or "@" for a formula; a leading
// apostrophe makes it text. Such a field, and one that begins with an apostrophe itself, gets
// one more apostrophe in front, which ReadSpreadsheetField takes off again: a round trip
// gives back every field exactly.
QString SpreadsheetField(const QString &field);
QString ReadSpreadsheetField(const QString &field);
