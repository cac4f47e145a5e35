#pragma once

#include <QString>
#include <functional>

class QWidget;
class QtControlLoader;

// A command button: the hover button of the control library, or a standard push
// button when the library could not be loaded (controls null or failed) or its button
// gives no Click to connect.
QWidget *CreateCommandButton(QtControlLoader *controls, const QString &caption, const QString &toolTip,
                             QWidget *parent, std::function<void()> onClick);

// The same with a control already made (nullptr when there is none): the control when
// its Click can be connected, else a standard push button (and the control is deleted).
QWidget *CommandButtonFrom(QWidget *control, const QString &caption, const QString &toolTip, QWidget *parent,
                           std::function<void()> onClick);
