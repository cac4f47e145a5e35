#pragma once

#include "platform/qt_control_loader.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPalette>
#include <QTest>
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

// The pointer onto and off the button's surface.
inline void sendEnter(QWidget *control)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(surfaceOf(control), &enter);
}

inline void sendLeave(QWidget *control)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(surfaceOf(control), &leave);
}

// A shown host window with hover buttons in it; its font is the host's ambient font.
struct HostWindow
{
    explicit HostWindow(const QFont &ambientFont = QFont())
    {
        window.setFont(ambientFont);
        window.resize(300, 120);
    }
    QWidget *add(const PropertyBag *saved = nullptr)
    {
        QWidget *button = saved ? lumikit().loadControl(QStringLiteral("Lumikit.Lumicap"), *saved, &window)
                                : newLumicap(&window);
        if (button)
            button->move(10, 10);
        return button;
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QWidget window;
};
