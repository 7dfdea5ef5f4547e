// Font description texts ("face, points, bold, italic, underline, strike-out, rotation") and the
// default font.
#pragma once

#include <windows.h>

#include <cstdint>

// Applies a font description to font, which starts as the stock default GUI
// font. Up to seven comma-separated, trimmed fields: face (first 31 units),
// size in points at logPixelsY dots per inch (negative sizes count as
// positive; a size whose height would not fit 32 bits, or that rounds to 0,
// keeps the height), bold, italic, underline and strike-out ("1" sets them,
// anything else clears them), and rotation in tenths of a degree (0 to 3599).
// Absent fields, and empty face, size and rotation fields, keep their value.
void ApplyFontDescription(const char16_t* description, int32_t logPixelsY, LOGFONTW& font);

// The logical font of the stock default GUI font with character set 1,
// precisions 0, proof quality and pitch-and-family 0: where descriptions start.
LOGFONTW DescriptionBaseFont();

// The screen's vertical dots per inch, read once per process.
int32_t ScreenLogPixelsY();

// The component's default font: the stock default GUI font at 9 points on
// this screen. The caller owns it; null when it cannot be made.
HFONT MakeDefaultControlFont();
