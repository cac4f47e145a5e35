#include "comments/windows/comment_buttons.h"

#include "platform/qt_button_table.h"

#include <QBoxLayout>
#include <QWidget>

void AddCommandButtons(QBoxLayout *layout, QtControlLoader *controls, const QString &arrayName,
                       std::span<const CommandButton> buttons, int firstIndex,
                       const std::function<void(int)> &handler)
{
    int index = firstIndex;
    for (const CommandButton &spec : buttons) {
        const SavedButton row = CommandButtonRow(arrayName, index, QString::fromLatin1(spec.caption),
                                                 QString::fromLatin1(spec.toolTip));
        QWidget *button = MakeCommandButton(controls, row.saved, layout->parentWidget(),
                                            [handler, index] { handler(index); });
        button->setObjectName(CommandButtons::key(arrayName, index));
        button->setAccessibleName(QString::fromLatin1(spec.caption));
        button->setAccessibleDescription(QString::fromLatin1(spec.toolTip));
        layout->addWidget(button);
        ++index;
    }
}
