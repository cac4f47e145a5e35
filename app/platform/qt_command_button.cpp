#include "platform/qt_command_button.h"

#include "platform/qt_control_loader.h"

#include <QPushButton>

namespace {

QWidget *hoverButton(QWidget *button, const QString &caption, const QString &toolTip,
                     const std::function<void()> &onClick)
{
    if (!button)
        return nullptr;
    button->setProperty("Caption", caption);
    button->setProperty("ToolTipText", toolTip);
    button->setMinimumSize(90, 25);
    // A button that could not report its clicks would be dead: a standard one is better.
    if (!QtControlLoader::onClick(button, onClick)) {
        delete button;
        return nullptr;
    }
    return button;
}

} // namespace

QWidget *CreateCommandButton(QtControlLoader *controls, const QString &caption, const QString &toolTip,
                             QWidget *parent, std::function<void()> onClick)
{
    QWidget *control = controls ? controls->createControl(QStringLiteral("Lumikit.Lumicap"), parent) : nullptr;
    return CommandButtonFrom(control, caption, toolTip, parent, std::move(onClick));
}

QWidget *CommandButtonFrom(QWidget *control, const QString &caption, const QString &toolTip, QWidget *parent,
                           std::function<void()> onClick)
{
    if (QWidget *button = hoverButton(control, caption, toolTip, onClick))
        return button;
    auto *button = new QPushButton(caption, parent);
    button->setToolTip(toolTip);
    QObject::connect(button, &QPushButton::clicked, button, std::move(onClick));
    return button;
}
