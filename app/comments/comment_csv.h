#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 has them: records end with CR LF; a field holding a
// comma, a quote or a line break is quoted, its quotes doubled.
QByteArray CsvLine(const QStringList &fields);

// Splits UTF-8 text (a leading byte order mark is skipped) into records of fields; line
// breaks inside quoted fields stay. Accepts LF as well as CR LF between records.
// False, with the line number in *error, for a quote that never closes.
bool ParseCsv(const QByteArray &text, QList<QStringList> *records, QString *error);

// A spreadsheet takes a field that begins with "=", "+", "-" or "@" for a formula; a leading
// apostrophe makes it text. Such a field, and one that begins with an apostrophe itself, gets
// one more apostrophe in front, which ReadSpreadsheetField takes off again: a round trip
// gives back every field exactly.
QString SpreadsheetField(const QString &field);
QString ReadSpreadsheetField(const QString &field);
