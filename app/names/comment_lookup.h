#pragma once

#include <QString>

// What the name analysis asks of the comment table: make the first record whose File
// equals the name (without regard to case) current, and tell the File value of the
// current record afterwards (empty when there is none or the table cannot be searched).
class CommentLookup
{
public:
    virtual ~CommentLookup() = default;
    virtual QString findFile(const QString &fileName) = 0;
};
