#pragma once

#include "platform/directory_picker.h"

class QWidget;

class QtDirectoryPicker final : public DirectoryPicker
{
public:
    explicit QtDirectoryPicker(QWidget *owner) : owner_(owner) {}
    std::optional<QString> pickDirectory(const QString &title, const QString &startDirectory) override;

private:
    QWidget *owner_;
};
