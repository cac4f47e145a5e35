#pragma once

#include "platform/message_boxes.h"

class QWidget;

class QtMessageBoxes final : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget *owner) : owner_(owner) {}
    void inform(const QString &title, const QString &text) override;
    void warn(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &text) override;
    FailedCommitChoice askAboutFailedCommit(const QString &title, const QString &text) override;

private:
    QWidget *owner_;
};
