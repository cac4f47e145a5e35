#pragma once

#include <QString>

#include <vector>

// New files written beside the files they replace, under hidden names nothing else uses, and
// put in place together: afterwards every target holds its new file, or every target is as it
// was. Each target is replaced by one rename; a target that is a symbolic link is replaced
// itself, and what it points to is never written. Drafts not put in place are removed.
class ReplaceTogether
{
public:
    ReplaceTogether() = default;
    ~ReplaceTogether();
    ReplaceTogether(const ReplaceTogether &) = delete;
    ReplaceTogether &operator=(const ReplaceTogether &) = delete;

    // A new empty file beside the target, for its new content; empty, with *error, when none
    // can be made.
    QString addDraft(const QString &target, QString *error);
    // Puts every draft in place of its target; false, with *error, changing nothing.
    bool commit(QString *error);

private:
    struct Entry
    {
        QString target;
        QString draft;
        QString aside; // the old target, kept until the last one is in place
        bool asideIsLink = false;
        bool replaced = false;
    };
    bool keepOld(Entry &entry, QString *error);
    void undo();

    std::vector<Entry> entries_;
};
