#include "comments/windows/comment_db_window.h"

#include "comments/comment_record_model.h"
#include "comments/text/comment_text.h"
#include "comments/windows/comment_box.h"
#include "comments/windows/comment_buttons.h"
#include "comments/windows/record_widgets.h"
#include "platform/database_opener.h"
#include "platform/message_boxes.h"
#include "platform/qt_command_button.h"
#include "platform/qt_focus_exit.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr CommandButton kRecordButtons[] = {
    RecordButton(RecordCommand::AddNew),   RecordButton(RecordCommand::Delete),
    RecordButton(RecordCommand::Save),     RecordButton(RecordCommand::Count),
    RecordButton(RecordCommand::Bookmark), RecordButton(RecordCommand::Lastmark),
};
const BoundField kFields[] = {
    {"Author", "TextAuthor", "Author"},
    {"Title", "TextTitle", "Title"},
    {"File", "TextFile", "File"},
    {"Genre", "TextGenre", "Genre"},
};
const CommandButton kClearAll[] = {{"Clear All", ""}};
const CommandButton kUtilComment[] = {
    {"Export Database", "Copy the comment database and Comments.csv into a folder"},
    {"Import Database", "Add the comments of a db25.mdb or Comments.csv in a folder"},
    {"Access 2000", "Open db25.mdb in a database program"},
};
const QString kTitle = QString::fromLatin1(kProgramTitle);

} // namespace

CommentDbWindow::CommentDbWindow(const QString &databasePath, Services services, QWidget *parent)
    : QWidget(parent, Qt::Window), services_(std::move(services)), source_(databasePath),
      commands_(source_, services_.messages), search_(source_, commands_),
      progress_(this), exchange_(source_, commands_, services_.messages, services_.picker, progress_,
                                   PlainTextOfComment),
      model_(new CommentRecordModel(source_, this)), grid_(new QTableView(this)), tabs_(new QTabWidget(this)),
      box_(new CommentBox(source_, this)),
      navigator_(new RecordNavigator(source_, [this] { commands_.reportFailure(); }, this))
{
    setObjectName(QStringLiteral("CommentDB"));
    setWindowTitle(QStringLiteral("Comment Database"));
    setAccessibleName(windowTitle());
    resize(760, 620);

    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setAccessibleName(QStringLiteral("Comments"));
    grid_->setAccessibleDescription(QStringLiteral("All comments: Author, Title, Genre, File; the last row adds one"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->installEventFilter(this);
    // Tab goes from cell to cell: without this a keyboard alone could not leave a large table.
    LetCtrlTabLeave(grid_);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CommentDbWindow::followGridRow);
    connect(model_, &QAbstractItemModel::modelReset, this, &CommentDbWindow::selectCurrentRow);
    connect(model_, &CommentRecordModel::editFailed, this, [this] { commands_.reportFailure(true); });
    connect(&source_, &CommentDataSource::currentChanged, this, &CommentDbWindow::selectCurrentRow);

    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->addTab(makeInfoPage(), QStringLiteral("Info"));
    tabs_->addTab(makeSearchPage(), QStringLiteral("Search"));
    utilitiesPage_ = makeUtilitiesPage();
    tabs_->addTab(utilitiesPage_, QStringLiteral("Utilities"));
    box_->setBeforeEditCommand([this] {
        if (tabs_->currentWidget() == utilitiesPage_)
            box_->setFocus();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 3);
    auto *detail = new QHBoxLayout;
    detail->addWidget(tabs_, 1);
    detail->addWidget(box_, 1);
    layout->addLayout(detail, 2);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(navigator_, 1);
    QWidget *close = CreateCommandButton(services_.controls, QStringLiteral("Close"),
                                         QStringLiteral("Hide this window; the Comments tab shows the changes"), this,
                                         [this] { hideNow(); });
    close->setObjectName(QStringLiteral("HideNow"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setAccessibleDescription(close->toolTip());
    bottom->addWidget(close);
    layout->addLayout(bottom);

    // Without the file the window opens empty; its navigation bar says why.
    source_.open();
    selectCurrentRow();
}

QWidget *CommentDbWindow::makeInfoPage()
{
    auto *page = new QWidget(tabs_);
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    AddBoundFields(form, source_, kFields);
    layout->addLayout(form);
    auto *rows = new QGridLayout;
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    const auto handler = [this](int index) { buttonComment(index); };
    AddCommandButtons(first, services_.controls, QStringLiteral("ButtonComment"),
                      std::span(kRecordButtons).first(3), 0, handler);
    AddCommandButtons(second, services_.controls, QStringLiteral("ButtonComment"),
                      std::span(kRecordButtons).subspan(3), 3, handler);
    rows->addLayout(first, 0, 0);
    rows->addLayout(second, 1, 0);
    layout->addLayout(rows);
    layout->addStretch();
    return page;
}

QWidget *CommentDbWindow::makeSearchPage()
{
    auto *page = new QWidget(tabs_);
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    const struct
    {
        const char *label;
        const char *name;
        SearchField field;
    } boxes[] = {
        {"Author Search", "SearchAuthor", SearchField::Author},
        {"Title Search", "SearchTitle", SearchField::Title},
        {"Genre Search", "SearchGenre", SearchField::Genre},
        {"File Search", "SearchFile", SearchField::File},
    };
    QList<std::pair<QLineEdit *, SearchField>> edits;
    for (const auto &box : boxes) {
        QLineEdit *edit = AddLabelledField(form, QString::fromLatin1(box.label), QString::fromLatin1(box.name),
                                           QStringLiteral("Lists the comments whose field begins with this text "
                                                          "(* ? # [a-z] as in Access)"));
        connect(edit, &QLineEdit::textChanged, this,
                [this, field = box.field](const QString &text) { search_.setText(field, text); });
        edits.append({edit, box.field});
    }
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    AddCommandButtons(buttons, services_.controls, QStringLiteral("ButtonComment"), kClearAll, 6, [this, edits](int) {
        search_.clearAll();
        for (const auto &[edit, field] : edits) {
            const QSignalBlocker blocker(edit);
            edit->setText(search_.text(field));
        }
    });
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget *CommentDbWindow::makeUtilitiesPage()
{
    auto *page = new QWidget(tabs_);
    auto *layout = new QVBoxLayout(page);
    AddCommandButtons(layout, services_.controls, QStringLiteral("UtilComment"), kUtilComment, 0,
                      [this](int index) { utilComment(index); });
    layout->addStretch();
    return page;
}

void CommentDbWindow::buttonComment(int index)
{
    // Clear All (6) belongs to the search page.
    if (index >= 0 && index < int(std::size(kRecordButtons)))
        commands_.run(*kRecordButtons[index].command, services_.utilities ? services_.utilities() : FileInfo{});
}

void CommentDbWindow::utilComment(int index)
{
    switch (index) {
    case 0:
        exchange_.exportDatabase();
        break;
    case 1:
        exchange_.importDatabase();
        break;
    case 2:
        if (!services_.opener.openDatabase(source_.databasePath()))
            services_.messages.warn(kTitle, QStringLiteral("No program on this computer can open %1. A database "
                                                            "browser for SQLite files (such as DB Browser for "
                                                            "SQLite) can.")
                                                 .arg(QDir::toNativeSeparators(
                                                     QFileInfo(source_.databasePath()).absoluteFilePath())));
        break;
    default:
        break;
    }
}

void CommentDbWindow::showAdvanced()
{
    if (source_.isOpen() && !source_.refresh())
        commands_.reportFailure();
    show();
    raise();
    activateWindow();
}

void CommentDbWindow::hideNow()
{
    if (!commands_.commitBeforeClose())
        return;
    if (services_.refreshMain)
        services_.refreshMain();
    hide();
}

void CommentDbWindow::closeEvent(QCloseEvent *event)
{
    if (!commands_.commitBeforeClose()) {
        event->ignore();
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void CommentDbWindow::selectCurrentRow()
{
    const int row = source_.currentIndex();
    const QSignalBlocker blocker(grid_->selectionModel());
    if (row < 0) {
        grid_->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, std::max(grid_->currentIndex().column(), 0));
    grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index);
}

// The grid's selected row is the current record; a move that cannot write goes back.
void CommentDbWindow::followGridRow(const QModelIndex &current)
{
    if (!current.isValid() || current.row() == source_.currentIndex() || current.row() >= model_->newRecordRow())
        return;
    if (!source_.moveTo(current.row())) {
        commands_.reportFailure();
        selectCurrentRow();
    }
}

void CommentDbWindow::deleteSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex &index : grid_->selectionModel()->selectedRows()) {
        if (index.row() < model_->newRecordRow())
            rows << index.row();
    }
    if (rows.isEmpty()
        || !services_.messages.confirm(kTitle, QStringLiteral("Delete the %1 selected comment(s)?").arg(rows.size())))
        return;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : rows)
        model_->removeRows(row, 1);
}

bool CommentDbWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteSelectedRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
