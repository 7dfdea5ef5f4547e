// Bitmaps in memory for painting tests: a canvas to paint into and read back, and bitmaps of one
// colour.
#pragma once

#include <windows.h>

#include <cstdint>

namespace test_support {

// A memory context with a 32-bit top-down DIB of width x height selected,
// filled with one colour at first. The canvas owns both; pixels are read
// from the DIB's memory after a GdiFlush.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return dc_; }
    void Fill(COLORREF colour);
    COLORREF At(int x, int y) const;

    // Pixels that are mostly of one primary: 0 red, 1 green, 2 blue.
    int CountDominant(int channel) const;
    // The box around every pixel that differs from background; empty when none.
    RECT InkBounds(COLORREF background) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr; // owned by bitmap_
};

// A bitmap of one colour: a 24-bit or 32-bit DIB (alpha as given, the colour
// premultiplied by it) or a device-dependent bitmap. The caller deletes it.
enum class BitmapKind { kDib24, kDib32, kDdb32 };
HBITMAP SolidBitmap(BitmapKind kind, int width, int height, COLORREF colour, BYTE alpha = 255);

// The header of a top-down DIB of the given size and depth.
BITMAPINFO TopDownDibInfo(int width, int height, int bits = 32);

} // namespace test_support
