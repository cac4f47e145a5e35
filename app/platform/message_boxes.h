#pragma once

#include "platform/message_box.h"

// Modal messages that ask something besides the plain message with OK (show()).
class MessageBoxes : public MessageBox
{
public:
    enum class FailedCommitChoice { Retry, Discard, Stay };

    // Something could not be done, and why: OK only.
    virtual void warn(const QString &title, const QString &text) = 0;
    // A yes/no question; true for yes.
    virtual bool confirm(const QString &title, const QString &text) = 0;
    // Edits could not be written: try again, throw them away, or stay with them on screen.
    virtual FailedCommitChoice askAboutFailedCommit(const QString &title, const QString &text) = 0;
};
