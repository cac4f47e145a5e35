#pragma once

#include <QColor>

// The contrast of two colours as the web's accessibility guidelines measure it: from 1 (the
// same) to 21 (black on white). Text of normal size wants at least 4.5.
double ContrastRatio(const QColor &first, const QColor &second);

inline constexpr double kReadableContrast = 4.5;

// The colour itself when it reads well enough on the background; otherwise the colour moved
// toward black or white, whichever the background lets stand out more, just far enough.
QColor ReadableOn(const QColor &color, const QColor &background, double minimum = kReadableContrast);
