#pragma once

#include "comments/comment_commands.h"
#include "comments/comment_data_source.h"
#include "comments/comment_exchange.h"
#include "comments/comment_search.h"
#include "names/extrapolation.h"
#include "platform/qt_progress.h"

#include <QWidget>

#include <functional>

class CommentBox;
class CommentRecordModel;
class DatabaseOpener;
class DirectoryPicker;
class QTabWidget;
class QTableView;
class QtControlLoader;
class RecordNavigator;

// CommentDB, "Comment Database": the whole comment table in a grid with its own data source,
// one record in detail, the search, and export, import and opening the file elsewhere.
// Close hides it, keeping its search; closing it by its frame unloads it (deletes it), after
// writing its pending edits.
class CommentDbWindow : public QWidget
{
    Q_OBJECT

public:
    struct Services
    {
        MessageBoxes &messages;
        DirectoryPicker &picker;
        DatabaseOpener &opener;
        QtControlLoader *controls = nullptr;
        // The main window's Utilities fields, for Add New.
        std::function<FileInfo()> utilities;
        // Close: the main window's data source reads the table again.
        std::function<void()> refreshMain;
    };
    CommentDbWindow(const QString &databasePath, Services services, QWidget *parent = nullptr);

    // Its own data source over the whole table, apart from the main window's.
    CommentDataSource &records() { return source_; }
    CommentBox *commentBox() const { return box_; }
    CommentCommands &commands() { return commands_; }
    QTableView *grid() const { return grid_; }
    QTabWidget *tabs() const { return tabs_; }

    // Advanced on the Comments tab: the data source reads its record source again (a kept
    // search runs again), and the window shows.
    void showAdvanced();
    void buttonComment(int index);
    void utilComment(int index);
    // HideNow, "Close".
    void hideNow();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeInfoPage();
    QWidget *makeSearchPage();
    QWidget *makeUtilitiesPage();
    void selectCurrentRow();
    void followGridRow(const QModelIndex &current);
    void deleteSelectedRows();

    Services services_;
    CommentDataSource source_;
    CommentCommands commands_;
    CommentSearch search_;
    QtProgress progress_;
    CommentExchange exchange_;
    CommentRecordModel *model_;
    QTableView *grid_;
    QTabWidget *tabs_;
    QWidget *utilitiesPage_ = nullptr;
    CommentBox *box_;
    RecordNavigator *navigator_;
};
