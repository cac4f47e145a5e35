#pragma once

#include <QString>

// What the name analysis asks of the comment table: make the first record that
// satisfies the criterion current, and tell the File value of the current record
// afterwards (empty when there is none or the table cannot be searched).
class CommentLookup
{
public:
    virtual ~CommentLookup() = default;
    virtual QString findFirstFile(const QString &criterion) = 0;
};
