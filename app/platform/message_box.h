#pragma once

#include <QString>

// A modal message with an OK button only.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(const QString &title, const QString &text) = 0;
};
