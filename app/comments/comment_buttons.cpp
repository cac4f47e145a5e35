#include "comments/comment_buttons.h"

#include "platform/qt_command_button.h"

#include <QBoxLayout>
#include <QWidget>

void AddCommandButtons(QBoxLayout *layout, QtControlLoader *controls, const QString &arrayName,
                       std::span<const CommandButtonSpec> buttons, int firstIndex,
                       const std::function<void(int)> &handler)
{
    int index = firstIndex;
    for (const CommandButtonSpec &spec : buttons) {
        QWidget *button = CreateCommandButton(controls, QString::fromLatin1(spec.caption),
                                              QString::fromLatin1(spec.toolTip), layout->parentWidget(),
                                              [handler, index] { handler(index); });
        button->setObjectName(QStringLiteral("%1_%2").arg(arrayName).arg(index));
        button->setAccessibleName(QString::fromLatin1(spec.caption));
        button->setAccessibleDescription(QString::fromLatin1(spec.toolTip));
        layout->addWidget(button);
        ++index;
    }
}
