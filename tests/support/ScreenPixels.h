// Reading back what is on the screen, pixel by pixel, for painting tests under Wine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace test_support {

// What the screen shows over a rectangle of a window's client area, captured
// once (windows on top included), so that many pixels cost one read. Pump
// messages first so that pending paints are done.
class ScreenArea {
public:
    ScreenArea(HWND window, const RECT& area);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour at a point relative to the rectangle's top-left corner.
    COLORREF At(int x, int y) const;

    // The pixels of the area that pass a test: how many, and the smallest
    // rectangle around them (empty when there are none).
    struct Matches {
        int count = 0;
        RECT bounds = {0, 0, 0, 0};
    };
    Matches Find(bool (*test)(COLORREF)) const;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_; // top-down rows, 0x00RRGGBB
};

// The colour shown on the screen at a point of window's client area, read
// from a capture of the screen (what the user sees, windows on top
// included). Pump messages first so that pending paints are done.
COLORREF ScreenPixel(HWND window, int x, int y);

// The colour at a point of the whole window (its frame included), as the
// window's own device context holds it.
COLORREF WindowPixel(HWND window, int x, int y);

// Strongly blue and strongly red, as text drawn in pure blue or red reads
// through the smoothing of its edges.
bool IsBlueInk(COLORREF colour);
bool IsRedInk(COLORREF colour);

// True when two colours differ by at most tolerance in each channel.
bool SameColour(COLORREF a, COLORREF b, int tolerance = 0);

} // namespace test_support
