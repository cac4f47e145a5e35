#pragma once

#include "platform/message_box.h"

#include <QList>
#include <QPair>

// Remembers each message (title, text) instead of showing it.
class FakeMessageBox final : public MessageBox
{
public:
    QList<QPair<QString, QString>> shown;
    void show(const QString &title, const QString &text) override { shown.append({title, text}); }
};
