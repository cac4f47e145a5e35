#pragma once

#include <QString>
#include <QWidget>

// Assistive tools see a field named by its label and described by its tool tip.
inline void NameControl(QWidget *control, const QString &name, const QString &toolTip = QString())
{
    control->setAccessibleName(name);
    if (!toolTip.isEmpty()) {
        control->setToolTip(toolTip);
        control->setAccessibleDescription(toolTip);
    }
}
