// The caption buttons (minimise, maximise, close) of every window are glyphs
// of the system's symbol font, asked for by name. Under Wine that font comes
// from the session's prefix; where it is missing the buttons show the
// letters 0, 1 and r in the locale's text font.
#include <windows.h>

#include "tests/support/MemoryBitmaps.h"

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
    test_support::MemoryCanvas canvas(kButtonWidth, kButtonHeight, RGB(0, 0, 0));
    RECT button = {0, 0, kButtonWidth, kButtonHeight};
    DrawFrameControl(canvas.Dc(), &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kButtonHeight; ++y) {
        for (int x = 0; x < kButtonWidth; ++x) {
            pixels.push_back(canvas.At(x, y));
        }
    }
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
