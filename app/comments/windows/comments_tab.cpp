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
    : QWidget(parent), source_(comments), commands_(comments, messages), utilities_(std::move(utilities)),
      advanced_(std::move(advanced)), box_(new CommentBox(comments, this)),
      navigator_(new RecordNavigator(comments, [this] { commands_.reportFailure(); }, this))
{
    setObjectName(QStringLiteral("CommentsTab"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    AddBoundFields(fields, comments, kFields);
    layout->addLayout(fields);
    layout->addWidget(box_, 1);
    layout->addWidget(navigator_);
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    AddCommandButtons(buttons, controls, QStringLiteral("ButtonComment"), kButtonComment, 0,
                      [this](int index) { buttonComment(index); });
}

void CommentsTab::buttonComment(int index)
{
    if (index == kAdvanced && advanced_)
        advanced_();
    else if (index >= 0 && index < int(std::size(kButtonComment)) && kButtonComment[index].command)
        commands_.run(*kButtonComment[index].command, utilities_ ? utilities_() : FileInfo{});
}

QString CommentsTab::findFile(const QString &fileName)
{
    QString problem;
    const QString found = commands_.findFile(fileName, &problem);
    if (!problem.isEmpty())
        QTimer::singleShot(0, this, [this, problem] { commands_.warn(problem); });
    return found;
}
