#include "tests/support/ScreenPixels.h"

#include <cstdlib>

namespace test_support {

ScreenArea::ScreenArea(HWND window, const RECT& area)
    : width_(area.right > area.left ? area.right - area.left : 0),
      height_(area.bottom > area.top ? area.bottom - area.top : 0),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_)) {
    if (pixels_.empty()) {
        return;
    }
    POINT origin = {area.left, area.top};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    if (bits != nullptr) {
        const auto* source = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(source, source + pixels_.size());
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenArea::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    const std::uint32_t pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

ScreenArea::Matches ScreenArea::Find(bool (*test)(COLORREF)) const {
    Matches found;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (!test(At(x, y))) {
                continue;
            }
            if (found.count++ == 0) {
                found.bounds = RECT{x, y, x + 1, y + 1};
            } else {
                found.bounds.left = x < found.bounds.left ? x : found.bounds.left;
                found.bounds.right = x + 1 > found.bounds.right ? x + 1 : found.bounds.right;
                found.bounds.bottom = y + 1;
            }
        }
    }
    return found;
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

bool IsBlueInk(COLORREF colour) {
    return GetBValue(colour) >= 160 && GetRValue(colour) <= 100 && GetGValue(colour) <= 100;
}

bool IsRedInk(COLORREF colour) {
    return GetRValue(colour) >= 160 && GetGValue(colour) <= 100 && GetBValue(colour) <= 100;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    return ScreenArea(window, RECT{x, y, x + 1, y + 1}).At(0, 0);
}

bool SameColour(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace test_support
