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
// The desktop's text colours for buttons: their caption, and an item under the pointer.
inline constexpr quint32 kOleButtonText = 0x80000012;
inline constexpr quint32 kOleHotTrack = 0x8000001A;

// The colour to draw. A system colour index with no counterpart in the palette draws in
// the palette's window text colour, so a bad value stays readable.
QColor OleColorToQColor(quint32 oleColor, const QPalette &palette);

// The caption colour to draw on the button face: as OleColorToQColor, except that the
// desktop's text colours for buttons (kOleButtonText, kOleHotTrack) are kept readable on the
// palette's button colour, so a caption that follows the theme stays legible in any theme.
QColor OleCaptionColor(quint32 oleColor, const QPalette &palette);
