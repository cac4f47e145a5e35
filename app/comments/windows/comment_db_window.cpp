#include "comments/windows/comment_db_window.h"

#include "comments/comment_record_model.h"
#include "comments/windows/comment_box.h"
#include "comments/windows/comment_buttons.h"
#include "comments/windows/record_widgets.h"
#include "comments/windows/rich_text.h"
#include "platform/database_opener.h"
#include "platform/message_boxes.h"
#include "platform/qt_command_button.h"

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
    : QWidget(parent, Qt::Window), m_services(std::move(services)), m_source(databasePath),
      m_commands(m_source, m_services.messages), m_search(m_source, m_commands),
      m_progress(this), m_exchange(m_source, m_commands, m_services.messages, m_services.picker, m_progress,
                                   PlainTextOfComment),
      m_model(new CommentRecordModel(m_source, this)), m_grid(new QTableView(this)), m_tabs(new QTabWidget(this)),
      m_box(new CommentBox(m_source, this)),
      m_navigator(new RecordNavigator(m_source, [this] { m_commands.reportFailure(); }, this))
{
    setObjectName(QStringLiteral("CommentDB"));
    setWindowTitle(QStringLiteral("Comment Database"));
    setAccessibleName(windowTitle());
    resize(760, 620);

    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setAccessibleName(QStringLiteral("Comments"));
    m_grid->setAccessibleDescription(QStringLiteral("All comments: Author, Title, Genre, File; the last row adds one"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CommentDbWindow::followGridRow);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CommentDbWindow::selectCurrentRow);
    connect(m_model, &CommentRecordModel::editFailed, this, [this] { m_commands.reportFailure(true); });
    connect(&m_source, &CommentDataSource::currentChanged, this, &CommentDbWindow::selectCurrentRow);

    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(makeInfoPage(), QStringLiteral("Info"));
    m_tabs->addTab(makeSearchPage(), QStringLiteral("Search"));
    m_utilitiesPage = makeUtilitiesPage();
    m_tabs->addTab(m_utilitiesPage, QStringLiteral("Utilities"));
    m_box->setBeforeEditCommand([this] {
        if (m_tabs->currentWidget() == m_utilitiesPage)
            m_box->setFocus();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 3);
    auto *detail = new QHBoxLayout;
    detail->addWidget(m_tabs, 1);
    detail->addWidget(m_box, 1);
    layout->addLayout(detail, 2);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_navigator, 1);
    QWidget *close = CreateCommandButton(m_services.controls, QStringLiteral("Close"),
                                         QStringLiteral("Hide this window; the Comments tab shows the changes"), this,
                                         [this] { hideNow(); });
    close->setObjectName(QStringLiteral("HideNow"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setAccessibleDescription(close->toolTip());
    bottom->addWidget(close);
    layout->addLayout(bottom);

    // Without the file the window opens empty; its navigation bar says why.
    m_source.open();
    selectCurrentRow();
}

QWidget *CommentDbWindow::makeInfoPage()
{
    auto *page = new QWidget(m_tabs);
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    AddBoundFields(form, m_source, kFields);
    layout->addLayout(form);
    auto *rows = new QGridLayout;
    auto *first = new QHBoxLayout;
    auto *second = new QHBoxLayout;
    const auto handler = [this](int index) { buttonComment(index); };
    AddCommandButtons(first, m_services.controls, QStringLiteral("ButtonComment"),
                      std::span(kRecordButtons).first(3), 0, handler);
    AddCommandButtons(second, m_services.controls, QStringLiteral("ButtonComment"),
                      std::span(kRecordButtons).subspan(3), 3, handler);
    rows->addLayout(first, 0, 0);
    rows->addLayout(second, 1, 0);
    layout->addLayout(rows);
    layout->addStretch();
    return page;
}

QWidget *CommentDbWindow::makeSearchPage()
{
    auto *page = new QWidget(m_tabs);
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
                [this, field = box.field](const QString &text) { m_search.setText(field, text); });
        edits.append({edit, box.field});
    }
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    AddCommandButtons(buttons, m_services.controls, QStringLiteral("ButtonComment"), kClearAll, 6, [this, edits](int) {
        m_search.clearAll();
        for (const auto &[edit, field] : edits) {
            const QSignalBlocker blocker(edit);
            edit->setText(m_search.text(field));
        }
    });
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

QWidget *CommentDbWindow::makeUtilitiesPage()
{
    auto *page = new QWidget(m_tabs);
    auto *layout = new QVBoxLayout(page);
    AddCommandButtons(layout, m_services.controls, QStringLiteral("UtilComment"), kUtilComment, 0,
                      [this](int index) { utilComment(index); });
    layout->addStretch();
    return page;
}

void CommentDbWindow::buttonComment(int index)
{
    // Clear All (6) belongs to the search page.
    if (index >= 0 && index < int(std::size(kRecordButtons)))
        m_commands.run(*kRecordButtons[index].command, m_services.utilities ? m_services.utilities() : FileInfo{});
}

void CommentDbWindow::utilComment(int index)
{
    switch (index) {
    case 0:
        m_exchange.exportDatabase();
        break;
    case 1:
        m_exchange.importDatabase();
        break;
    case 2:
        if (!m_services.opener.openDatabase(m_source.databasePath()))
            m_services.messages.warn(kTitle, QStringLiteral("No program on this computer can open %1. A database "
                                                            "browser for SQLite files (such as DB Browser for "
                                                            "SQLite) can.")
                                                 .arg(QDir::toNativeSeparators(
                                                     QFileInfo(m_source.databasePath()).absoluteFilePath())));
        break;
    default:
        break;
    }
}

void CommentDbWindow::showAdvanced()
{
    if (m_source.isOpen() && !m_source.refresh())
        m_commands.reportFailure();
    show();
    raise();
    activateWindow();
}

void CommentDbWindow::hideNow()
{
    if (!m_commands.commitBeforeClose())
        return;
    if (m_services.refreshMain)
        m_services.refreshMain();
    hide();
}

void CommentDbWindow::closeEvent(QCloseEvent *event)
{
    if (!m_commands.commitBeforeClose()) {
        event->ignore();
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void CommentDbWindow::selectCurrentRow()
{
    const int row = m_source.currentIndex();
    const QSignalBlocker blocker(m_grid->selectionModel());
    if (row < 0) {
        m_grid->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row, std::max(m_grid->currentIndex().column(), 0));
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}

// The grid's selected row is the current record; a move that cannot write goes back.
void CommentDbWindow::followGridRow(const QModelIndex &current)
{
    if (!current.isValid() || current.row() == m_source.currentIndex() || current.row() >= m_model->newRecordRow())
        return;
    if (!m_source.moveTo(current.row())) {
        m_commands.reportFailure();
        selectCurrentRow();
    }
}

void CommentDbWindow::deleteSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedRows()) {
        if (index.row() < m_model->newRecordRow())
            rows << index.row();
    }
    if (rows.isEmpty()
        || !m_services.messages.confirm(kTitle, QStringLiteral("Delete the %1 selected comment(s)?").arg(rows.size())))
        return;
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : rows)
        m_model->removeRows(row, 1);
}

bool CommentDbWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteSelectedRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
