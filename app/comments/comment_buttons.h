#pragma once

#include <QString>

#include <functional>
#include <span>

class QBoxLayout;
class QWidget;
class QtControlLoader;

// One button of an indexed command array: caption and tool tip.
struct CommandButtonSpec
{
    const char *caption;
    const char *toolTip;
};

// Makes the array's hover buttons into the layout; a click calls handler with the index.
void AddCommandButtons(QBoxLayout *layout, QtControlLoader *controls, const QString &arrayName,
                       std::span<const CommandButtonSpec> buttons, int firstIndex,
                       const std::function<void(int)> &handler);
