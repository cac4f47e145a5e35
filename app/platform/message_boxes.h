#pragma once

#include <QString>

// Modal messages to the user.
class MessageBoxes
{
public:
    enum class FailedCommitChoice { Retry, Discard, Stay };

    virtual ~MessageBoxes() = default;
    // A plain message: OK only, no icon.
    virtual void inform(const QString &title, const QString &text) = 0;
    // Something could not be done, and why: OK only.
    virtual void warn(const QString &title, const QString &text) = 0;
    // A yes/no question; true for yes.
    virtual bool confirm(const QString &title, const QString &text) = 0;
    // Edits could not be written: try again, throw them away, or stay with them on screen.
    virtual FailedCommitChoice askAboutFailedCommit(const QString &title, const QString &text) = 0;
};
