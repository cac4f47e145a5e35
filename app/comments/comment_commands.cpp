#include "comments/comment_commands.h"

#include "comments/comment_data_source.h"
#include "comments/saved_bookmark.h"
#include "names/extrapolation.h"
#include "platform/message_boxes.h"

namespace {

const QString kTitle = QString::fromLatin1(kProgramTitle);
const QString kFile = QStringLiteral("File");

} // namespace

QString CountText(int count)
{
    return QStringLiteral("Record Count: ") + QString::number(count);
}

CommentCommands::CommentCommands(CommentDataSource &source, MessageBoxes &messages)
    : m_source(source), m_messages(messages)
{
    m_savedAsNew = QObject::connect(&source, &CommentDataSource::savedAsNewRecord, [this] {
        m_messages.show(kTitle, QStringLiteral("This comment was changed or deleted in the other window after it "
                                                 "was shown here, so your version was saved as a new record. "
                                                 "Both versions are in the database."));
    });
}

CommentCommands::~CommentCommands()
{
    QObject::disconnect(m_savedAsNew);
}

void CommentCommands::run(RecordCommand command, const FileInfo &utilities)
{
    switch (command) {
    case RecordCommand::AddNew:
        addNew(utilities);
        break;
    case RecordCommand::Delete:
        deleteRecord();
        break;
    case RecordCommand::Save:
        save();
        break;
    case RecordCommand::Bookmark:
        bookmark();
        break;
    case RecordCommand::Lastmark:
        lastmark();
        break;
    case RecordCommand::Count:
        count();
        break;
    }
}

QString CommentCommands::failureText(const QString &what) const
{
    QString text = what.isEmpty() ? m_source.errorString() : what + QStringLiteral("\n\n") + m_source.errorString();
    if (m_source.hasPendingEdits())
        text += QStringLiteral("\n\nWhat you typed is still on screen; Save tries again.");
    return text;
}

void CommentCommands::warn(const QString &text)
{
    m_messages.warn(kTitle, text);
}

bool CommentCommands::reportFailure(bool always)
{
    if (m_source.errorString().isEmpty() || !(always || m_source.hasPendingEdits()))
        return true;
    warn(failureText(QString()));
    return false;
}

// The fields are set only on the new record: after a failed write they would land on the
// record that could not be left.
void CommentCommands::addNew(const FileInfo &utilities)
{
    if (!m_source.addNew()) {
        reportFailure();
        return;
    }
    m_source.setValue(kFile, utilities.file);
    m_source.setValue(QStringLiteral("Author"), utilities.author);
    m_source.setValue(QStringLiteral("Title"), utilities.title);
    m_source.setValue(QStringLiteral("Genre"), QString());
    m_source.setValue(QStringLiteral("Comment"), QString());
}

void CommentCommands::deleteRecord()
{
    if (m_source.value(kFile).isEmpty())
        return;
    if (!m_source.deleteCurrent()) {
        reportFailure(m_source.isOpen());
        return;
    }
    m_source.moveLast();
}

void CommentCommands::save()
{
    if (!m_source.updateBatch() && !reportFailure())
        return;
    m_source.moveLast();
}

void CommentCommands::bookmark()
{
    SavedBookmark = m_source.bookmark();
}

// A bookmark of another record set is no failure; a database that cannot be read is.
void CommentCommands::lastmark()
{
    if (!m_source.setBookmark(SavedBookmark) && m_source.isOpen() && !m_source.errorString().isEmpty())
        warn(failureText(QStringLiteral("Could not go back to the bookmarked comment.")));
}

QString CommentCommands::findFile(const QString &fileName, QString *problem)
{
    const QString found = m_source.findFile(fileName);
    if (m_source.hasPendingEdits() && !m_source.errorString().isEmpty())
        *problem = failureText(QStringLiteral("The copied file was not looked up among the comments: what you typed "
                                              "here could not be saved first."));
    return found;
}

void CommentCommands::count()
{
    if (!m_source.moveLast() && !reportFailure())
        return;
    const int count = m_source.recordCount();
    // A count the engine gave up on is no count: say so rather than show a wrong number.
    if (m_source.isOpen() && !m_source.knownRecordCount()) {
        reportFailure(true);
        return;
    }
    m_messages.show(kTitle, CountText(count));
}

bool CommentCommands::commitBeforeClose()
{
    if (m_source.isBlankNewRecord())
        m_source.cancelUpdate();
    while (m_source.hasPendingEdits()) {
        if (m_source.updateBatch())
            return true;
        switch (m_messages.askAboutFailedCommit(
            kTitle, m_source.errorString() + QStringLiteral("\n\nTry again, discard what you typed, or stay?"))) {
        case MessageBoxes::FailedCommitChoice::Retry:
            break;
        case MessageBoxes::FailedCommitChoice::Discard:
            m_source.cancelUpdate();
            return true;
        case MessageBoxes::FailedCommitChoice::Stay:
            return false;
        }
    }
    return true;
}
