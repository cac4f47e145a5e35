#pragma once

#include "platform/directory_picker.h"

// Answers with a preset directory (or a cancel) and remembers what was asked.
class FakeDirectoryPicker final : public DirectoryPicker
{
public:
    std::optional<QString> answer;
    QString askedTitle;
    QString askedStart = QStringLiteral("unset");

    std::optional<QString> pickDirectory(const QString &title, const QString &start) override
    {
        askedTitle = title;
        askedStart = start;
        return answer;
    }
};
