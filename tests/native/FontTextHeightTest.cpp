#include "native/FontTextHeight.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

#include "tests/support/GuiObjectCount.h"

namespace {

// The height the screen gives the font, measured without any memory.
int32_t MeasuredHeight(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

HFONT MakeFont(LONG height, LONG weight, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

struct FontCase {
    LONG height;
    LONG weight;
    const wchar_t* face;
};

// Each font is a new object, so a remembered height is found only by its
// description; more descriptions than are remembered push the oldest out.
TEST(FontTextHeight, EveryFontMeasuresAsTheScreenMeasuresIt) {
    const test_support::GuiLeakCheck check;
    const std::vector<FontCase> cases = {
        {-12, FW_NORMAL, L"Tahoma"}, {-12, FW_NORMAL, L"Tahoma"}, {-12, FW_BOLD, L"Tahoma"},
        {-20, FW_NORMAL, L"Tahoma"}, {-12, FW_NORMAL, L"Arial"},  {-32, FW_NORMAL, L"Tahoma"},
        {-48, FW_NORMAL, L"Tahoma"}, {-12, FW_NORMAL, L"Tahoma"}, {-20, FW_NORMAL, L"Tahoma"},
        {-48, FW_NORMAL, L"Tahoma"}, {-12, FW_BOLD, L"Tahoma"},   {-20, FW_NORMAL, L"Tahoma"},
    };
    for (const FontCase& c : cases) {
        SCOPED_TRACE(c.height);
        HFONT font = MakeFont(c.height, c.weight, c.face);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(FontTextHeight(font), MeasuredHeight(font));
        EXPECT_GT(FontTextHeight(font), 0);
        DeleteObject(font);
    }
    EXPECT_EQ(FontTextHeight(nullptr), 0);
    EXPECT_TRUE(check.NothingLeft()) << "no context or font left behind";
}

} // namespace
