#include "lumicap_drawing.h"

#include <cmath>

std::array<FrameLine, 4> FrameLines(QSize surface, int penWidth, bool sunken)
{
    const QColor light = sunken ? Qt::black : Qt::white;
    const QColor dark = sunken ? Qt::white : Qt::black;
    const int w = surface.width();
    const int h = surface.height();
    return {{
        {QRect(0, 0, w, penWidth), light},            // top
        {QRect(0, 0, penWidth, h), light},            // left
        {QRect(w - penWidth, 0, penWidth, h), dark},  // right
        {QRect(0, h - penWidth, w, penWidth), dark},  // bottom
    }};
}

QPoint CaptionOrigin(QSize surface, QSize caption)
{
    const double left = surface.width() / 2.0 - caption.width() / 2.0;
    const double top = surface.height() / 2.0 - caption.height() / 2.0;
    return QPoint(int(std::floor(left)), int(std::floor(top)));
}

bool ShowsHoverColor(bool pointerOver, bool enabled, bool userMode)
{
    return pointerOver && enabled && userMode;
}
