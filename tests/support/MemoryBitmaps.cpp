#include "tests/support/MemoryBitmaps.h"

#include <algorithm>
#include <vector>

namespace test_support {

BITMAPINFO TopDownDibInfo(int width, int height, int bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    const BITMAPINFO info = TopDownDibInfo(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

MemoryCanvas::~MemoryCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void MemoryCanvas::Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

COLORREF MemoryCanvas::At(int x, int y) const {
    GdiFlush();
    const std::uint32_t pixel = pixels_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int MemoryCanvas::CountDominant(int channel) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const COLORREF c = At(x, y);
            const int rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
            bool dominant = rgb[channel] > 120;
            for (int other = 0; other < 3; ++other) {
                dominant = dominant && (other == channel || rgb[other] < 90);
            }
            count += dominant ? 1 : 0;
        }
    }
    return count;
}

RECT MemoryCanvas::InkBounds(COLORREF background) const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return box.right == 0 ? RECT{} : box;
}

HBITMAP SolidBitmap(BitmapKind kind, int width, int height, COLORREF colour, BYTE alpha) {
    const auto premultiply = [alpha](int channel) {
        return static_cast<std::uint32_t>(channel * alpha / 255);
    };
    const std::uint32_t pixel =
        (static_cast<std::uint32_t>(alpha) << 24) | (premultiply(GetRValue(colour)) << 16) |
        (premultiply(GetGValue(colour)) << 8) | premultiply(GetBValue(colour));
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height, pixel);
    if (kind == BitmapKind::kDdb32) {
        return CreateBitmap(width, height, 1, 32, pixels.data());
    }
    const BITMAPINFO info = TopDownDibInfo(width, height, kind == BitmapKind::kDib24 ? 24 : 32);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // Written through SetDIBits, so that a 24-bit DIB gets the colour without the alpha.
    const BITMAPINFO source = TopDownDibInfo(width, height);
    HDC screen = GetDC(nullptr);
    SetDIBits(screen, bitmap, 0, height, pixels.data(), &source, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace test_support
