#pragma once

#include <QString>

// The record source texts of the comment windows, in the Access dialect: what a data source
// reports as its record source. The search itself runs on bound values (RecordFilter).

// The four-field search: each field's text followed by "*", as typed.
QString SearchQueryText(const QString &author, const QString &title, const QString &genre, const QString &file);

// Clear All: every record whose File holds a value.
QString ClearAllQueryText();

// The lookup criterion for a file name, each single quote doubled.
QString FileCriterion(const QString &fileName);
