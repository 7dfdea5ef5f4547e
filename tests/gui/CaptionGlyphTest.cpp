// The caption buttons (minimise, maximise, close) of every window are glyphs
// of the system's symbol font, asked for by name. Under Wine that font comes
// from the session's prefix; where it is missing the buttons show the
// letters 0, 1 and r in the locale's text font.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kButtonWidth = 18;
constexpr int kButtonHeight = 16;

// The close button as DrawFrameControl paints it, the way the non-client
// area of a window gets it: its pixels row by row.
std::vector<COLORREF> CloseButtonPixels() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kButtonWidth;
    info.bmiHeader.biHeight = -kButtonHeight; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<COLORREF> pixels;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT button = {0, 0, kButtonWidth, kButtonHeight};
        DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (int i = 0; i < kButtonWidth * kButtonHeight; ++i) {
            pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    return pixels;
}

TEST(CaptionGlyphs, TheSymbolFontIsFoundByNameInTheSessionLocale) {
    // The default character set is the Chinese one here, which the symbol
    // font lacks: it must still be chosen for its name.
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, L"Marlett");
    ASSERT_NE(font, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);

    EXPECT_EQ(std::wstring(face), L"Marlett");
    EXPECT_EQ(metrics.tmCharSet, SYMBOL_CHARSET);
}

// The close glyph is a cross: its text-coloured pixels mirror left to right
// within their bounds, which those of a letter r do not.
TEST(CaptionGlyphs, TheCloseButtonShowsACross) {
    const std::vector<COLORREF> pixels = CloseButtonPixels();
    ASSERT_EQ(pixels.size(), static_cast<size_t>(kButtonWidth * kButtonHeight));
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    auto inked = [&](int x, int y) { return pixels[y * kButtonWidth + x] == ink; };

    int left = kButtonWidth, right = -1, count = 0;
    for (int y = 0; y < kButtonHeight; ++y) {
        for (int x = 0; x < kButtonWidth; ++x) {
            if (inked(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                ++count;
            }
        }
    }
    ASSERT_GE(count, 4) << "no glyph drawn";
    int unmatched = 0;
    for (int y = 0; y < kButtonHeight; ++y) {
        for (int x = left; x <= right; ++x) {
            unmatched += inked(x, y) && !inked(left + right - x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(unmatched, 0) << count << " glyph pixels in columns " << left << "-" << right;
}

} // namespace
