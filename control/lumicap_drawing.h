#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Layout and look of the hover button, in plain values.

// One of the four straight lines of the 3-D frame, drawn in the order given.
struct FrameLine
{
    QRect rect;
    QColor color;
};

// The frame along the edges of a surface of the given size, penWidth thick: top and left
// white, right and bottom black when raised; the colours swap when sunken. Sizes of any
// magnitude work.
std::array<FrameLine, 4> FrameLines(QSize surface, int penWidth, bool sunken);

// Where the caption's top-left corner goes so that it sits in the middle of the surface.
// A caption larger than the surface gets a negative offset and is cut off on both sides.
QPoint CaptionOrigin(QSize surface, QSize caption);

// Whether the caption shows the hover colour: only while the pointer is over an enabled
// button in a running program.
bool ShowsHoverColor(bool pointerOver, bool enabled, bool userMode);
