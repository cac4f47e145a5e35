#pragma once

#include <QString>
#include <optional>

// A modal directory chooser. Returns the chosen directory, or nothing when cancelled.
class DirectoryPicker
{
public:
    virtual ~DirectoryPicker() = default;
    virtual std::optional<QString> pickDirectory(const QString &title, const QString &startDirectory) = 0;
};
