#pragma once

#include "comments/comment_commands.h"

#include <QString>

#include <functional>
#include <optional>
#include <span>

class QBoxLayout;
class QWidget;
class QtControlLoader;

// One button of an indexed command array: caption and tool tip.
struct CommandButtonSpec
{
    const char *caption;
    const char *toolTip;
    // The record command it runs, if it runs one.
    std::optional<RecordCommand> command = std::nullopt;
};

// Makes the array's hover buttons into the layout; a click calls handler with the index.
void AddCommandButtons(QBoxLayout *layout, QtControlLoader *controls, const QString &arrayName,
                       std::span<const CommandButtonSpec> buttons, int firstIndex,
                       const std::function<void(int)> &handler);
