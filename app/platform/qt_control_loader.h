#pragma once

#include "control_factory.h"

#include <QString>

#include <functional>

class QWidget;

// Creates controls of the control library (the lumikit plugin beside the program) by
// programmatic identifier. A missing or broken library is not fatal: every call then
// gives nullptr and errorText() says what went wrong, for the window to show.
class QtControlLoader
{
public:
    // Looks for the library in the given folder; empty means the program's own folder.
    explicit QtControlLoader(const QString &directory = QString());

    // Loads the library once; false with errorText() when it cannot be used.
    bool load();
    QString errorText() const { return errorText_; }

    // A new instance with its initial properties.
    QWidget *createControl(const QString &identifier, QWidget *parent = nullptr);
    // A saved instance, its properties read from the bag.
    QWidget *loadControl(const QString &identifier, const PropertyBag &saved, QWidget *parent = nullptr);

    // The host side of a control made here (nullptr for any other widget).
    static HostedControl *hosted(QWidget *control);
    // The control's saved properties; an empty bag for a widget that has none.
    static PropertyBag saveControl(QWidget *control);
    // Calls handler on every Click of the control, for as long as the control lives.
    // False when the widget has no Click signal.
    static bool onClick(QWidget *control, std::function<void()> handler);

private:
    QWidget *create(const QString &identifier, QWidget *parent);

    QString directory_;
    ControlFactory *factory_ = nullptr;
    QString errorText_;
};
