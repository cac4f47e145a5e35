#pragma once

#include "comments/comment_commands.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <span>

class QBoxLayout;
class QWidget;
class QtControlLoader;

// One button of an indexed command array: caption and tool tip.
struct CommandButton
{
    const char *caption;
    const char *toolTip;
    // The record command it runs, if it runs one.
    std::optional<RecordCommand> command = std::nullopt;
};

// The buttons of the record commands, in the order of RecordCommand: the same caption and
// tool tip on every window.
inline constexpr CommandButton kRecordCommandButtons[] = {
    {"Add New", "Add a New Comment", RecordCommand::AddNew},
    {"Delete", "Delete Comment", RecordCommand::Delete},
    {"Save", "Save Comment", RecordCommand::Save},
    {"Bookmark", "Bookmark this Comment", RecordCommand::Bookmark},
    {"Lastmark", "Go back to last Bookmark", RecordCommand::Lastmark},
    {"Count", "Show the number of Comments stored", RecordCommand::Count},
};

static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kRecordCommandButtons); ++i) {
            if (kRecordCommandButtons[i].command != static_cast<RecordCommand>(i))
                return false;
        }
        return true;
    }(),
    "kRecordCommandButtons follows the order of RecordCommand");

constexpr CommandButton RecordButton(RecordCommand command)
{
    return kRecordCommandButtons[static_cast<int>(command)];
}

// Makes the array's hover buttons into the layout; a click calls handler with the index.
void AddCommandButtons(QBoxLayout *layout, QtControlLoader *controls, const QString &arrayName,
                       std::span<const CommandButton> buttons, int firstIndex,
                       const std::function<void(int)> &handler);
