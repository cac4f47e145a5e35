#include "comments/comment_search.h"

#include "comments/comment_commands.h"
#include "comments/comment_data_source.h"

CommentSearch::CommentSearch(CommentDataSource &source, CommentCommands &commands)
    : m_source(source), m_commands(commands)
{
}

void CommentSearch::setText(SearchField field, const QString &text)
{
    if (m_texts[size_t(field)] == text)
        return;
    m_texts[size_t(field)] = text;
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
    m_source.setRecordFilter(filter);
    if (!m_source.refresh())
        m_commands.reportFailure();
}
