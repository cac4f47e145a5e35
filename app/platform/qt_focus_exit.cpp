#include "platform/qt_focus_exit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class CtrlTabExit final : public QObject
{
public:
    explicit CtrlTabExit(QWidget *control) : QObject(control) { control->installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab || !key->modifiers().testFlag(Qt::ControlModifier))
            return false;
        // The window moves the focus on a plain Tab, from the control that has it.
        const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
        QKeyEvent plain(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                        back ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(static_cast<QWidget *>(watched)->window(), &plain);
        return true;
    }
};

} // namespace

void LetCtrlTabLeave(QWidget *control)
{
    new CtrlTabExit(control);
}
