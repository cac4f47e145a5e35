#pragma once

#include <QString>

class QPalette;

// Dark colours for desktops whose Qt theme offers none: Fusion with a dark palette.
QPalette DarkPalette();

// The colours asked for by the value of SHELVANA_COLOR_SCHEME: "dark" gives the dark palette;
// anything else (or nothing) leaves the desktop's own theme. Call before any window is made.
void ApplyColorScheme(const QString &scheme);
