#pragma once

#include "platform/message_box.h"

class QWidget;

// A message box over the active window (or the given owner).
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QWidget *owner = nullptr) : owner_(owner) {}
    void show(const QString &title, const QString &text) override;

private:
    QWidget *owner_;
};
