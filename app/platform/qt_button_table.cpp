#include "platform/qt_button_table.h"

#include "platform/qt_control_loader.h"

#include <QFont>
#include <QPushButton>

namespace {

const QString kHoverButton = QStringLiteral("Lumikit.Lumicap");
const QString kCaption = QStringLiteral("Caption");
const QString kToolTip = QStringLiteral("ToolTipText");
const QString kFont = QStringLiteral("Font");

QWidget *standardButton(const PropertyBag &saved, QWidget *parent, std::function<void()> onClick)
{
    auto *button = new QPushButton(saved.ReadProperty(kCaption).toString(), parent);
    button->setToolTip(saved.ReadProperty(kToolTip).toString());
    const QVariant font = saved.ReadProperty(kFont);
    if (font.canConvert<QFont>())
        button->setFont(font.value<QFont>());
    QObject::connect(button, &QPushButton::clicked, button, std::move(onClick));
    return button;
}

} // namespace

PropertyBag SavedProperties(std::initializer_list<std::pair<QString, QVariant>> values, const PropertyBag &base)
{
    PropertyBag bag = base;
    for (const auto &[name, value] : values)
        bag.WriteProperty(name, value);
    return bag;
}

PropertyBag CommandButtonLook(qreal pointSize)
{
    // The system sans-serif stands in for the classic dialog font.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    // Caption and hover colours are the desktop's own (system colours 18, button text, and
    // 26, hot-tracked item), so they follow a dark theme too; fixed black and white did not.
    return SavedProperties({{kFont, QVariant::fromValue(font)},
                            {QStringLiteral("ForeColor"), 0x80000012u},
                            {QStringLiteral("MouseOverColor"), 0x8000001Au}});
}

SavedButton CommandButtonRow(const QString &name, int index, const QString &caption, const QString &toolTip,
                             qreal pointSize)
{
    return SavedButton{name, index, SavedProperties({{kCaption, caption}, {kToolTip, toolTip}}, CommandButtonLook(pointSize))};
}

QString CommandButtons::key(const QString &name, int index)
{
    return index < 0 ? name : name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QWidget *MakeCommandButton(QtControlLoader *controls, const PropertyBag &saved, QWidget *parent,
                           std::function<void()> onClick)
{
    QWidget *control = controls ? controls->loadControl(kHoverButton, saved, parent) : nullptr;
    return CommandButtonFrom(control, saved, parent, std::move(onClick));
}

QWidget *CommandButtonFrom(QWidget *control, const PropertyBag &saved, QWidget *parent,
                           std::function<void()> onClick)
{
    // A control that cannot report its clicks would be a dead button: a standard one is better.
    if (control && !QtControlLoader::onClick(control, onClick)) {
        delete control;
        control = nullptr;
    }
    QWidget *button = control ? control : standardButton(saved, parent, std::move(onClick));
    button->setMinimumSize(90, 25);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed); // as a push button
    return button;
}

CommandButtons MakeCommandButtons(QtControlLoader *controls, const QList<SavedButton> &table, QWidget *parent,
                                  const ButtonHandlers &handlers)
{
    CommandButtons buttons;
    for (const SavedButton &row : table) {
        const std::function<void(int)> handler = handlers.value(row.name);
        const int index = row.index;
        QWidget *button = MakeCommandButton(controls, row.saved, parent, [handler, index] {
            if (handler)
                handler(index);
        });
        button->setObjectName(CommandButtons::key(row.name, row.index));
        buttons.insert(row.name, row.index, button);
    }
    return buttons;
}
