#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// Colours as the control stores them: with the top bit clear, 0x00BBGGRR; with the top
// bit set, the low byte indexes a system colour, resolved against a palette when drawn.
inline constexpr quint32 kOleButtonFace = 0x8000000F;
inline constexpr quint32 kOleHighlight = 0x8000000D;
inline constexpr quint32 kOleRed = 0x000000FF;
inline constexpr quint32 kOleBlack = 0x00000000;

// The colour to draw. A system colour index with no counterpart in the palette draws in
// the palette's window text colour, so a bad value stays readable.
QColor OleColorToQColor(quint32 oleColor, const QPalette &palette);
