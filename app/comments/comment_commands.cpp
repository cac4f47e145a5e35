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
    : source_(source), messages_(messages)
{
    savedAsNew_ = QObject::connect(&source, &CommentDataSource::savedAsNewRecord, [this] {
        messages_.show(kTitle, QStringLiteral("This comment was changed or deleted in the other window after it "
                                                 "was shown here, so your version was saved as a new record. "
                                                 "Both versions are in the database."));
    });
}

CommentCommands::~CommentCommands()
{
    QObject::disconnect(savedAsNew_);
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
    QString text = what.isEmpty() ? source_.errorString() : what + QStringLiteral("\n\n") + source_.errorString();
    if (source_.hasPendingEdits())
        text += QStringLiteral("\n\nWhat you typed is still on screen; Save tries again.");
    return text;
}

void CommentCommands::warn(const QString &text)
{
    messages_.warn(kTitle, text);
}

bool CommentCommands::reportFailure(bool always)
{
    if (source_.errorString().isEmpty() || !(always || source_.hasPendingEdits()))
        return true;
    warn(failureText(QString()));
    return false;
}

// The fields are set only on the new record: after a failed write they would land on the
// record that could not be left.
void CommentCommands::addNew(const FileInfo &utilities)
{
    if (!source_.addNew()) {
        reportFailure();
        return;
    }
    source_.setValue(kFile, utilities.file);
    source_.setValue(QStringLiteral("Author"), utilities.author);
    source_.setValue(QStringLiteral("Title"), utilities.title);
    source_.setValue(QStringLiteral("Genre"), QString());
    source_.setValue(QStringLiteral("Comment"), QString());
}

void CommentCommands::deleteRecord()
{
    if (source_.value(kFile).isEmpty())
        return;
    if (!source_.deleteCurrent()) {
        reportFailure(source_.isOpen());
        return;
    }
    source_.moveLast();
}

void CommentCommands::save()
{
    if (!source_.updateBatch() && !reportFailure())
        return;
    source_.moveLast();
}

void CommentCommands::bookmark()
{
    SavedBookmark = source_.bookmark();
}

// A bookmark of another record set is no failure; a database that cannot be read is.
void CommentCommands::lastmark()
{
    if (!source_.setBookmark(SavedBookmark) && source_.isOpen() && !source_.errorString().isEmpty())
        warn(failureText(QStringLiteral("Could not go back to the bookmarked comment.")));
}

QString CommentCommands::findFile(const QString &fileName, QString *problem)
{
    const QString found = source_.findFile(fileName);
    if (source_.hasPendingEdits() && !source_.errorString().isEmpty())
        *problem = failureText(QStringLiteral("The copied file was not looked up among the comments: what you typed "
                                              "here could not be saved first."));
    return found;
}

void CommentCommands::count()
{
    if (!source_.moveLast() && !reportFailure())
        return;
    const int count = source_.recordCount();
    // A count the engine gave up on is no count: say so rather than show a wrong number.
    if (source_.isOpen() && !source_.knownRecordCount()) {
        reportFailure(true);
        return;
    }
    messages_.show(kTitle, CountText(count));
}

bool CommentCommands::commitBeforeClose()
{
    if (source_.isBlankNewRecord())
        source_.cancelUpdate();
    while (source_.hasPendingEdits()) {
        if (source_.updateBatch())
            return true;
        switch (messages_.askAboutFailedCommit(
            kTitle, source_.errorString() + QStringLiteral("\n\nTry again, discard what you typed, or stay?"))) {
        case MessageBoxes::FailedCommitChoice::Retry:
            break;
        case MessageBoxes::FailedCommitChoice::Discard:
            source_.cancelUpdate();
            return true;
        case MessageBoxes::FailedCommitChoice::Stay:
            return false;
        }
    }
    return true;
}
