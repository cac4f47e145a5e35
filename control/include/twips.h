#pragma once

// Twips (1/1440 inch) are the unit of the saved layouts, of the program's windows and of the
// hover button alike; they convert at 15 twips to the pixel, rounded to the nearest pixel.
// Header-only: the host and the control library each compile it.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel : -TwipsToPixels(-twips);
}
