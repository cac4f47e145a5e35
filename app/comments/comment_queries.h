#pragma once

#include <QString>

// The query texts the comment windows hand to the data source, in the Access dialect.

// The four-field search: each field's text followed by "*", used as it is (nothing is
// escaped, so a quote in a text makes the query invalid and the data source rejects it).
QString SearchQueryText(const QString &author, const QString &title, const QString &genre, const QString &file);

// Clear All: every record whose File holds a value.
QString ClearAllQueryText();

// The lookup criterion for a file name, each single quote doubled.
QString FileCriterion(const QString &fileName);
