#include "lumicap_accessible.h"

#include "lumicap.h"

#include <QAccessibleWidget>

namespace {

// One leaf push button: the surface and the caption inside are its own drawing.
class LumicapAccessible final : public QAccessibleWidget
{
public:
    explicit LumicapAccessible(Lumicap *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && QAccessibleWidget::text(t).isEmpty())
            return button()->ToolTipText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            button()->PerformClick();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    Lumicap *button() const { return static_cast<Lumicap *>(widget()); }
};

} // namespace

QAccessibleInterface *LumicapAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Lumicap") && object && object->isWidgetType())
        return new LumicapAccessible(static_cast<Lumicap *>(object));
    return nullptr;
}
