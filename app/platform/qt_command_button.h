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
