#pragma once

#include "platform/message_boxes.h"
#include "platform/qt_message_box.h"

class QWidget;

// Message boxes over the active window (or the given owner).
class QtMessageBoxes final : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QWidget *owner = nullptr) : owner_(owner), plain_(owner) {}
    void show(const QString &title, const QString &text) override { plain_.show(title, text); }
    void warn(const QString &title, const QString &text) override;
    bool confirm(const QString &title, const QString &text) override;
    FailedCommitChoice askAboutFailedCommit(const QString &title, const QString &text) override;

private:
    QWidget *owner() const;

    QWidget *owner_;
    QtMessageBox plain_;
};
