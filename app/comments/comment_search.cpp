#include "comments/comment_search.h"

#include "comments/comment_commands.h"
#include "comments/comment_data_source.h"

CommentSearch::CommentSearch(CommentDataSource &source, CommentCommands &commands)
    : source_(source), commands_(commands)
{
}

void CommentSearch::setText(SearchField field, const QString &text)
{
    if (texts_[size_t(field)] == text)
        return;
    texts_[size_t(field)] = text;
    runSearch();
}

void CommentSearch::runSearch()
{
    showRecords(RecordFilter::search(text(SearchField::Author), text(SearchField::Title), text(SearchField::Genre),
                                     text(SearchField::File)));
}

void CommentSearch::clearAll()
{
    for (const SearchField field : {SearchField::Author, SearchField::Title, SearchField::File, SearchField::Genre})
        setText(field, QString());
    showRecords(RecordFilter::anyFile());
}

// A search that cannot be read (a "[" typed but not yet closed) empties the grid, and the
// navigation bar says why: a box at every keystroke would be in the way. A write of pending
// edits that fails is reported.
void CommentSearch::showRecords(const RecordFilter &filter)
{
    source_.setRecordFilter(filter);
    if (!source_.refresh())
        commands_.reportFailure();
}
