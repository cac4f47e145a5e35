#pragma once

#include <QString>
#include <QStringList>

// The author(s) and title a book file carries inside itself. Empty when the file says nothing,
// is not a book this program can read, or is damaged.
struct BookMetadata
{
    QStringList authors;
    QString title;

    bool isEmpty() const { return authors.isEmpty() && title.isEmpty(); }
    // Several authors are shown joined by " & ", the way collectors write them in file names.
    QString authorText() const;
};

// One value as it is shown: runs of white space (line breaks inside XML, tabs) become one
// blank, control characters go, and an absurdly long value is cut to a sane length.
QString CleanMetadataText(const QString &text);

// Cleans each entry and leaves out the empty ones and repeats.
QStringList CleanAuthors(const QStringList &authors);
