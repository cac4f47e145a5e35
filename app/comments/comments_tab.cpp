#include "comments/comments_tab.h"

#include "comments/comment_box.h"
#include "comments/comment_buttons.h"
#include "comments/comment_data_source.h"
#include "comments/record_widgets.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const CommandButtonSpec kButtonComment[] = {
    {"Add New", "Add a New Comment"},
    {"Delete", "Delete Comment"},
    {"Save", "Save Comment"},
    {"Advanced", "Open the Comment Database window: all comments in a grid, with search"},
    {"Bookmark", "Bookmark this Comment"},
    {"Lastmark", "Go back to last Bookmark"},
    {"Count", "Show the number of Comments stored"},
};

} // namespace

CommentsTab::CommentsTab(CommentDataSource &data1, MessageBoxes &messages, QtControlLoader *controls,
                         std::function<FileInfo()> utilities, std::function<void()> advanced, QWidget *parent)
    : QWidget(parent), m_source(data1), m_commands(data1, messages), m_utilities(std::move(utilities)),
      m_advanced(std::move(advanced)), m_box(new CommentBox(data1)),
      m_navigator(new RecordNavigator(data1, [this] { m_commands.reportFailure(); }))
{
    setObjectName(QStringLiteral("CommentsTab"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    AddBoundField(fields, QStringLiteral("Author"), QStringLiteral("CommentAuthor"), QStringLiteral("The book's author"),
                  data1, QStringLiteral("Author"));
    AddBoundField(fields, QStringLiteral("Title"), QStringLiteral("commentTitle"), QStringLiteral("The book's title"),
                  data1, QStringLiteral("Title"));
    AddBoundField(fields, QStringLiteral("Genre"), QStringLiteral("CommentGenre"), QStringLiteral("The book's genre"),
                  data1, QStringLiteral("Genre"));
    AddBoundField(fields, QStringLiteral("File"), QStringLiteral("CommentFile"),
                  QStringLiteral("The e-book's file name"), data1, QStringLiteral("File"));
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
    switch (index) {
    case 0:
        m_commands.addNew(m_utilities ? m_utilities() : FileInfo{});
        break;
    case 1:
        m_commands.deleteRecord();
        break;
    case 2:
        m_commands.save();
        break;
    case 3:
        if (m_advanced)
            m_advanced();
        break;
    case 4:
        m_commands.bookmark();
        break;
    case 5:
        m_commands.lastmark();
        break;
    case 6:
        m_commands.count();
        break;
    default:
        break;
    }
}
