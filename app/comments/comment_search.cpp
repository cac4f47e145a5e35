#include "comments/comment_search.h"

#include "comments/comment_commands.h"
#include "comments/comment_data_source.h"
#include "comments/comment_queries.h"

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
    showRecordSource(SearchQueryText(text(SearchField::Author), text(SearchField::Title), text(SearchField::Genre),
                                     text(SearchField::File)));
}

void CommentSearch::clearAll()
{
    for (const SearchField field : {SearchField::Author, SearchField::Title, SearchField::File, SearchField::Genre})
        setText(field, QString());
    showRecordSource(ClearAllQueryText());
}

// A query the engine rejects (a quote typed into a box) is ignored; a write of pending
// edits that fails is not.
void CommentSearch::showRecordSource(const QString &query)
{
    m_source.setRecordSource(query);
    if (!m_source.refresh())
        m_commands.reportFailure();
}
