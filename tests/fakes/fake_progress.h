#pragma once

#include "platform/progress.h"

#include <QList>

// Remembers what was shown; cancels at the advance given.
class FakeProgress final : public Progress
{
public:
    QString title;
    int maximum = -1;
    QList<int> advances;
    int cancelAt = -1; // the index of the advance that reports a cancel
    bool finished = false;

    void start(const QString &startTitle, const QString &, int startMaximum) override
    {
        title = startTitle;
        maximum = startMaximum;
        finished = false;
    }
    bool advance(int done) override
    {
        advances.append(done);
        return advances.size() - 1 != cancelAt;
    }
    void finish() override { finished = true; }
};
