#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a record set lists: the rows of one table whose fields match Access LIKE patterns,
// in the table's own order. It becomes SQL with a "?" for every pattern, so what the user
// typed is bound as a value and never becomes part of the statement: a quote or a "%" is
// just a character, while the Access wildcards (* ? # [...]) keep their meaning.
class RecordFilter
{
public:
    // Every row of the table.
    explicit RecordFilter(const QString &table = QStringLiteral("Table1"));

    // The comment database window's search: the records whose four fields each begin with
    // the text of their box (an empty box still wants a value in its field).
    static RecordFilter search(const QString &author, const QString &title, const QString &genre,
                               const QString &file);
    // Clear All: every record whose File holds a value.
    static RecordFilter anyFile();
    // A record source as the program spells it: a table name, or "SELECT * FROM <table>"
    // with an optional WHERE of "<field> LIKE '<pattern>'" conditions joined by AND (a quote
    // inside a pattern doubled). Nothing for any other text.
    static std::optional<RecordFilter> fromRecordSource(const QString &source);

    // The record source in the Access dialect, as a window shows or keeps it.
    QString recordSource() const { return recordSource_; }
    QString table() const { return table_; }
    // The table's name as SQL reads it, quoted.
    QString quotedTable() const;
    // "<field> LIKE ? AND ..." with one "?" per pattern; empty when every row is listed.
    QString condition() const;
    // The values for the "?" of condition(), in order.
    QStringList patterns() const;
    // Why a pattern cannot be matched (an open "[", a backwards range), in a sentence that
    // names what the user typed; empty when all can.
    QString patternError() const;

    friend bool operator==(const RecordFilter &, const RecordFilter &) = default;

private:
    struct FieldPattern
    {
        QString field;
        QString pattern;
        // What a message names: the search box and its text, or the field and its pattern.
        QString source;
        friend bool operator==(const FieldPattern &, const FieldPattern &) = default;
    };

    QString table_;
    std::vector<FieldPattern> patterns_;
    QString recordSource_;
};
