// A memory bitmap to paint controls into and read back, for pixel checks.
#pragma once

#include <windows.h>

namespace controls_test {

// A memory context with a bitmap of width x height filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    void Fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // Pixels that are mostly of one primary: 0 red, 1 green, 2 blue.
    int CountDominant(int channel) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = GetPixel(dc_, x, y);
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

    // The box around every pixel that differs from background; empty when none.
    RECT InkBounds(COLORREF background) const {
        RECT box{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (GetPixel(dc_, x, y) != background) {
                    box.left = x < box.left ? x : box.left;
                    box.top = y < box.top ? y : box.top;
                    box.right = x + 1 > box.right ? x + 1 : box.right;
                    box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
                }
            }
        }
        if (box.right == 0) {
            return RECT{};
        }
        return box;
    }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

} // namespace controls_test
