#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <span>

class CommentDataSource;
class QFormLayout;
class QLabel;
class QLineEdit;

// A line edit bound to a field of the data source's current record, with its label: it shows
// the field, and every change the user makes (typed, or set by a screen reader or automation)
// becomes a pending edit. Named by its label for screen readers.
QLineEdit *AddBoundField(QFormLayout *form, const QString &label, const QString &objectName, const QString &toolTip,
                         CommentDataSource &source, const QString &field);

// A labelled line edit with its accessible name and description set.
QLineEdit *AddLabelledField(QFormLayout *form, const QString &label, const QString &objectName,
                            const QString &toolTip);

// The data source's navigation bar: first, previous, next, last, and "record N of M". A move
// whose write fails is reported through onFailure. The count of a long record set is made a
// slice at a time once the set has stayed unchanged for a moment, so typing stays quick and
// nothing waits for the count. Last before the count is known writes the edits at once and
// moves once the count, made a slice at a time from then on, is known (and a search going on
// has read its first records).
class RecordNavigator : public QWidget
{
    Q_OBJECT

public:
    RecordNavigator(CommentDataSource &source, std::function<void()> onFailure, QWidget *parent = nullptr);

    QString positionText() const;

private:
    void move(bool (CommentDataSource::*step)());
    void moveLast();
    void countSome();
    void finishMoveLast();
    void showPosition();

    CommentDataSource &source_;
    std::function<void()> onFailure_;
    QLabel *position_;
    QTimer count_;
    bool countGivenUp_ = false;
    // Last was pressed before the count was known, on the record at lastFrom_.
    bool lastWanted_ = false;
    int lastFrom_ = -1;
};

// A record field on a window: its label, its control's name and the field it shows.
struct BoundField
{
    const char *label;
    const char *objectName;
    const char *field;
};

// The fields, in the order given, each with the tool tip of its field.
void AddBoundFields(QFormLayout *form, CommentDataSource &source, std::span<const BoundField> fields);
