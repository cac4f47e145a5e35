#include "comments/windows/record_widgets.h"

#include "comments/comment_data_source.h"

#include <QFormLayout>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include <utility>

namespace {

constexpr int kCountDelayMs = 300;

void showField(QLineEdit *edit, const CommentDataSource &source, const QString &field)
{
    const QString value = source.value(field);
    if (edit->text() != value) {
        const QSignalBlocker blocker(edit);
        edit->setText(value);
    }
    edit->setReadOnly(!source.hasCurrentRecord());
}

} // namespace

QLineEdit *AddLabelledField(QFormLayout *form, const QString &label, const QString &objectName,
                            const QString &toolTip)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->setToolTip(toolTip);
    edit->setAccessibleName(label);
    edit->setAccessibleDescription(toolTip);
    auto *caption = new QLabel(label);
    caption->setBuddy(edit);
    form->addRow(caption, edit);
    return edit;
}

QLineEdit *AddBoundField(QFormLayout *form, const QString &label, const QString &objectName, const QString &toolTip,
                         CommentDataSource &source, const QString &field)
{
    QLineEdit *edit = AddLabelledField(form, label, objectName, toolTip);
    const auto show = [edit, &source, field] { showField(edit, source, field); };
    QObject::connect(&source, &CommentDataSource::currentChanged, edit, show);
    QObject::connect(&source, &CommentDataSource::currentValuesChanged, edit, show);
    // Every change counts, also text set by a screen reader, voice input or automation;
    // showing a record blocks the field's signals, so only the user's changes arrive here.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [show, &source, field](const QString &text) {
        if (!source.setValue(field, text))
            show(); // no record to hold it: the field goes back to what is stored
    });
    show();
    return edit;
}

void AddBoundFields(QFormLayout *form, CommentDataSource &source, std::span<const BoundField> fields)
{
    static const QHash<QString, QString> toolTips = {
        {QStringLiteral("Author"), QStringLiteral("The book's author")},
        {QStringLiteral("Title"), QStringLiteral("The book's title")},
        {QStringLiteral("Genre"), QStringLiteral("The book's genre")},
        {QStringLiteral("File"), QStringLiteral("The e-book's file name")},
    };
    for (const BoundField &spec : fields) {
        const QString field = QString::fromLatin1(spec.field);
        AddBoundField(form, QString::fromLatin1(spec.label), QString::fromLatin1(spec.objectName),
                      toolTips.value(field), source, field);
    }
}

RecordNavigator::RecordNavigator(CommentDataSource &source, std::function<void()> onFailure, QWidget *parent)
    : QWidget(parent), source_(source), onFailure_(std::move(onFailure)), position_(new QLabel(this))
{
    setObjectName(QStringLiteral("Data1"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const struct
    {
        const char *text;
        const char *name;
        bool (CommentDataSource::*step)();
    } buttons[] = {
        {"|<", "First Record", &CommentDataSource::moveFirst},
        {"<", "Previous Record", &CommentDataSource::movePrevious},
        {">", "Next Record", &CommentDataSource::moveNext},
        {">|", "Last Record", &CommentDataSource::moveLast},
    };
    for (const auto &button : buttons) {
        auto *tool = new QToolButton(this);
        tool->setText(QString::fromLatin1(button.text));
        tool->setToolTip(QString::fromLatin1(button.name));
        tool->setAccessibleName(QString::fromLatin1(button.name));
        tool->setAccessibleDescription(QString::fromLatin1(button.name));
        if (button.step == &CommentDataSource::moveLast)
            connect(tool, &QToolButton::clicked, this, &RecordNavigator::moveLast);
        else
            connect(tool, &QToolButton::clicked, this, [this, step = button.step] { move(step); });
        layout->addWidget(tool);
        if (button.step == &CommentDataSource::movePrevious)
            layout->addWidget(position_, 1);
    }
    position_->setAlignment(Qt::AlignCenter);
    position_->setWordWrap(true);
    position_->setAccessibleName(QStringLiteral("Record position"));
    count_.setSingleShot(true);
    connect(&count_, &QTimer::timeout, this, &RecordNavigator::countSome);
    connect(&source, &CommentDataSource::currentChanged, this, &RecordNavigator::showPosition);
    connect(&source, &CommentDataSource::openFinished, this, &RecordNavigator::showPosition);
    connect(&source, &CommentDataSource::recordsRead, this, [this] {
        showPosition();
        finishMoveLast();
    });
    connect(&source, &CommentDataSource::recordSetChanged, this, [this] {
        countGivenUp_ = false;
        lastWanted_ = false;
        showPosition();
    });
    showPosition();
}

void RecordNavigator::move(bool (CommentDataSource::*step)())
{
    lastWanted_ = false;
    if (!(source_.*step)())
        onFailure_();
}

// Counting a large set at once would hold the window up; the edits are written at once, as
// the move would, so that a write that fails is told when Last is pressed.
void RecordNavigator::moveLast()
{
    if (!source_.isOpen() || source_.knownRecordCount() || !(source_.hasCurrentRecord() || source_.isReading())) {
        move(&CommentDataSource::moveLast);
        return;
    }
    if (source_.hasPendingEdits() && !source_.updateBatch()) {
        onFailure_();
        return;
    }
    lastWanted_ = true;
    lastFrom_ = source_.currentIndex();
    count_.start(0);
}

// A slice at a time, between the other events.
void RecordNavigator::countSome()
{
    if (source_.countSomeRecords()) {
        showPosition();
        finishMoveLast();
        return;
    }
    // A set the engine cannot count in time is not asked again until it changes.
    countGivenUp_ = !source_.errorString().isEmpty();
    if (!countGivenUp_) {
        count_.start(0);
    } else if (std::exchange(lastWanted_, false)) {
        onFailure_();
    }
}

// Once the count is known and a search has read its first records, so that the grid has the
// last record's row. Only from the record where Last was pressed (or the first one found,
// when the search had found none yet): a record chosen since stays current.
void RecordNavigator::finishMoveLast()
{
    if (!lastWanted_ || !source_.knownRecordCount() || source_.isReading())
        return;
    lastWanted_ = false;
    if (lastFrom_ < 0 || source_.currentIndex() == lastFrom_)
        move(&CommentDataSource::moveLast);
}

QString RecordNavigator::positionText() const
{
    const std::optional<int> count = source_.knownRecordCount();
    const QString total = count ? QString::number(*count) : QStringLiteral("...");
    // Without the database this is where the window says why.
    if (!source_.isOpen())
        return source_.errorString();
    // A search that could not be read lists nothing; this says why.
    if (!source_.hasCurrentRecord() && !source_.recordSetError().isEmpty())
        return source_.recordSetError();
    if (!source_.hasCurrentRecord() && source_.isReading())
        return QStringLiteral("searching...");
    if (!source_.hasCurrentRecord())
        return count ? QStringLiteral("no records") : QString();
    if (source_.isNewRecord())
        return QStringLiteral("new record (%1 stored)").arg(total);
    return QStringLiteral("record %1 of %2").arg(source_.currentIndex() + 1).arg(total);
}

void RecordNavigator::showPosition()
{
    position_->setText(positionText());
    if (source_.isOpen() && !source_.knownRecordCount() && !countGivenUp_)
        count_.start(lastWanted_ ? 0 : kCountDelayMs);
}
