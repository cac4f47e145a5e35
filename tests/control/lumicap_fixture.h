#pragma once

#include "platform/qt_control_loader.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

// Hover buttons made the way the program makes them: from the plugin in the build folder.
inline QtControlLoader &lumikit()
{
    static QtControlLoader loader(qEnvironmentVariable("SHELVANA_BUILD_DIR"));
    return loader;
}

inline QWidget *newLumicap(QWidget *parent = nullptr)
{
    return lumikit().createControl(QStringLiteral("Lumikit.Lumicap"), parent);
}

inline QWidget *surfaceOf(QWidget *control)
{
    return control->findChild<QWidget *>(QStringLiteral("btn"));
}

inline QLabel *captionOf(QWidget *control)
{
    return control->findChild<QLabel *>(QStringLiteral("lbl"));
}

inline QColor captionColor(QWidget *control)
{
    return captionOf(control)->palette().color(QPalette::Active, QPalette::WindowText);
}
