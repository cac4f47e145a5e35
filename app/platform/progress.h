#pragma once

#include <QString>

// A long task's progress, shown while the program keeps drawing its windows and answering
// the desktop; the user may cancel it.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void start(const QString &title, const QString &text, int maximum) = 0;
    // Shows how much is done and lets pending events run; false once the user has cancelled.
    virtual bool advance(int done) = 0;
    virtual void finish() = 0;
};
