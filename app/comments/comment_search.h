#pragma once

#include <QString>

#include <array>

class CommentDataSource;
class CommentCommands;
class RecordFilter;

enum class SearchField { Author, Title, Genre, File };

// The four search boxes of the comment database window: every change of a box's text runs
// the search, which sets the data source's record filter to the search and refreshes.
class CommentSearch
{
public:
    CommentSearch(CommentDataSource &source, CommentCommands &commands);

    QString text(SearchField field) const { return texts_[size_t(field)]; }
    // A box's text changed.
    void setText(SearchField field, const QString &text);
    void runSearch();
    // Empties the boxes (Author, Title, File, Genre; each one that held text runs the
    // search), then lists every record whose File holds a value.
    void clearAll();

private:
    void showRecords(const RecordFilter &filter);

    CommentDataSource &source_;
    CommentCommands &commands_;
    std::array<QString, 4> texts_;
};
