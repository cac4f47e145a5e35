#include "platform/qt_color_scheme.h"

#include <QApplication>
#include <QPalette>

QPalette DarkPalette()
{
    const QColor window(0x35, 0x35, 0x35);
    const QColor text(0xf0, 0xf0, 0xf0);
    const QColor disabledText(0x8c, 0x8c, 0x8c);
    QPalette palette(text, window, QColor(0x50, 0x50, 0x50), QColor(0x1e, 0x1e, 0x1e), QColor(0x2a, 0x2a, 0x2a),
                     text, QColor(Qt::white), QColor(0x26, 0x26, 0x26), window);
    palette.setColor(QPalette::AlternateBase, QColor(0x30, 0x30, 0x30));
    palette.setColor(QPalette::ToolTipBase, QColor(0x20, 0x20, 0x20));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    // Lighter than the usual accent blue, so that links and selected text read at 4.5:1 or more.
    palette.setColor(QPalette::Link, QColor(0x7a, 0xb8, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xc0, 0x9c, 0xff));
    palette.setColor(QPalette::Highlight, QColor(0x1e, 0x6b, 0xb8));
    palette.setColor(QPalette::HighlightedText, QColor(Qt::white));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

void ApplyColorScheme(const QString &scheme)
{
    if (scheme.compare(QLatin1String("dark"), Qt::CaseInsensitive) != 0)
        return;
    // Fusion draws everything from the palette; other styles may keep light parts.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(DarkPalette());
}
