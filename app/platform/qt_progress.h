#pragma once

#include "platform/progress.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

// A modal progress box over the owner, with Cancel: the other windows keep drawing but take
// no commands while the task runs.
class QtProgress final : public Progress
{
public:
    explicit QtProgress(QWidget *owner) : owner_(owner) {}
    ~QtProgress() override;
    QtProgress(const QtProgress &) = delete;
    QtProgress &operator=(const QtProgress &) = delete;

    void start(const QString &title, const QString &text, int maximum) override;
    bool advance(int done) override;
    void finish() override;

private:
    QWidget *owner_;
    QPointer<QProgressDialog> dialog_;
};
