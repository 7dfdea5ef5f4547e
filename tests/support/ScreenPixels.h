// Reading back what is on the screen, pixel by pixel, for painting tests under Wine.
#pragma once

#include <windows.h>

namespace test_support {

// The colour shown on the screen at a point of window's client area, read
// from a capture of the screen (what the user sees, windows on top
// included). Pump messages first so that pending paints are done.
COLORREF ScreenPixel(HWND window, int x, int y);

// True when two colours differ by at most tolerance in each channel.
bool SameColour(COLORREF a, COLORREF b, int tolerance = 0);

} // namespace test_support
