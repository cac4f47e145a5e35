#pragma once

#include "property_bag.h"

#include <QString>
#include <QtPlugin>

class QWidget;

// What a host asks of a control besides its Qt properties and signals: start as a new
// instance, or restore and save its properties through a property bag; and whether the
// host is running (user mode) or is a form designer. Reach it with
// qobject_cast<HostedControl *>(widget).
class HostedControl
{
public:
    virtual ~HostedControl() = default;

    // A new instance, placed for the first time: the initial property values.
    virtual void InitProperties() = 0;
    // A saved instance: each property from the bag, or its default when absent or unusable.
    virtual void ReadProperties(const PropertyBag &bag) = 0;
    // Saves every property that differs from its default; does not change the control.
    virtual void WriteProperties(PropertyBag &bag) const = 0;
    // False in a form designer: the control then neither tracks the pointer nor raises events.
    virtual void SetUserMode(bool userMode) = 0;
};

// The entry point of a control library: creates controls by programmatic identifier.
class ControlFactory
{
public:
    virtual ~ControlFactory() = default;

    // A new control owned by parent, or nullptr with the reason in *error (when given).
    virtual QWidget *CreateControl(const QString &identifier, QWidget *parent,
                                   QString *error) = 0;
};

#define SHELVANA_HOSTED_CONTROL_IID "org.shelvana.Lumikit.HostedControl/1.0"
#define SHELVANA_CONTROL_FACTORY_IID "org.shelvana.Lumikit.ControlFactory/1.1"
Q_DECLARE_INTERFACE(HostedControl, SHELVANA_HOSTED_CONTROL_IID)
Q_DECLARE_INTERFACE(ControlFactory, SHELVANA_CONTROL_FACTORY_IID)
