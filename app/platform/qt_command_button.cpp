#include "platform/qt_command_button.h"

#include "platform/qt_control_loader.h"

#include <QPushButton>

namespace {

QWidget *hoverButton(QtControlLoader &controls, const QString &caption, const QString &toolTip, QWidget *parent,
                     const std::function<void()> &onClick)
{
    QWidget *button = controls.createControl(QStringLiteral("Lumikit.Lumicap"), parent);
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
    if (controls) {
        if (QWidget *button = hoverButton(*controls, caption, toolTip, parent, onClick))
            return button;
    }
    auto *button = new QPushButton(caption, parent);
    button->setToolTip(toolTip);
    QObject::connect(button, &QPushButton::clicked, button, std::move(onClick));
    return button;
}
