#include "platform/qt_command_button.h"

#include "platform/qt_button_table.h"

QWidget *CreateCommandButton(QtControlLoader *controls, const QString &caption, const QString &toolTip,
                             QWidget *parent, std::function<void()> onClick)
{
    return MakeCommandButton(controls, CommandButtonRow(QString(), -1, caption, toolTip).saved, parent,
                             std::move(onClick));
}
