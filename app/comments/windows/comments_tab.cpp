#include "comments/windows/comments_tab.h"

#include "comments/comment_data_source.h"
#include "comments/windows/comment_box.h"
#include "comments/windows/comment_buttons.h"
#include "comments/windows/record_widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kAdvanced = 3;
constexpr CommandButton kButtonComment[] = {
    RecordButton(RecordCommand::AddNew),
    RecordButton(RecordCommand::Delete),
    RecordButton(RecordCommand::Save),
    {"Advanced", "Open the Comment Database window: all comments in a grid, with search"},
    RecordButton(RecordCommand::Bookmark),
    RecordButton(RecordCommand::Lastmark),
    RecordButton(RecordCommand::Count),
};
const BoundField kFields[] = {
    {"Author", "CommentAuthor", "Author"},
    {"Title", "commentTitle", "Title"},
    {"Genre", "CommentGenre", "Genre"},
    {"File", "CommentFile", "File"},
};

} // namespace

CommentsTab::CommentsTab(CommentDataSource &comments, MessageBoxes &messages, QtControlLoader *controls,
                         std::function<FileInfo()> utilities, std::function<void()> advanced, QWidget *parent)
    : QWidget(parent), m_source(comments), m_commands(comments, messages), m_utilities(std::move(utilities)),
      m_advanced(std::move(advanced)), m_box(new CommentBox(comments, this)),
      m_navigator(new RecordNavigator(comments, [this] { m_commands.reportFailure(); }, this))
{
    setObjectName(QStringLiteral("CommentsTab"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    AddBoundFields(fields, comments, kFields);
    layout->addLayout(fields);
    layout->addWidget(m_box, 1);
    layout->addWidget(m_navigator);
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    AddCommandButtons(buttons, controls, QStringLiteral("ButtonComment"), kButtonComment, 0,
                      [this](int index) { buttonComment(index); });
}

void CommentsTab::buttonComment(int index)
{
    if (index == kAdvanced && m_advanced)
        m_advanced();
    else if (index >= 0 && index < int(std::size(kButtonComment)) && kButtonComment[index].command)
        m_commands.run(*kButtonComment[index].command, m_utilities ? m_utilities() : FileInfo{});
}

QString CommentsTab::findFile(const QString &fileName)
{
    QString problem;
    const QString found = m_commands.findFile(fileName, &problem);
    if (!problem.isEmpty())
        QTimer::singleShot(0, this, [this, problem] { m_commands.warn(problem); });
    return found;
}
