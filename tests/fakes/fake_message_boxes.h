#pragma once

#include "platform/message_boxes.h"

#include <QList>
#include <QStringList>

// Remembers every message and answers questions from preset replies (then the defaults).
class FakeMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        QString kind; // inform, warn, confirm, ask
        QString title;
        QString text;
    };
    QList<Shown> shown;
    QList<bool> confirmations;                 // replies to confirm(); then false
    QList<FailedCommitChoice> commitChoices;   // replies to askAboutFailedCommit(); then Stay

    void show(const QString &title, const QString &text) override { shown.append({"inform", title, text}); }
    void warn(const QString &title, const QString &text) override { shown.append({"warn", title, text}); }
    bool confirm(const QString &title, const QString &text) override
    {
        shown.append({"confirm", title, text});
        return confirmations.isEmpty() ? false : confirmations.takeFirst();
    }
    FailedCommitChoice askAboutFailedCommit(const QString &title, const QString &text) override
    {
        shown.append({"ask", title, text});
        return commitChoices.isEmpty() ? FailedCommitChoice::Stay : commitChoices.takeFirst();
    }
    QStringList kinds() const
    {
        QStringList list;
        for (const Shown &s : shown)
            list << s.kind;
        return list;
    }
};
