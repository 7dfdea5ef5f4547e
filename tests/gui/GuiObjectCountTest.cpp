#include "tests/support/GuiObjectCount.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct GdiKind {
    const char* name;
    std::function<HGDIOBJ()> make;
    std::function<void(HGDIOBJ)> free;
};

void DeleteGdi(HGDIOBJ object) {
    DeleteObject(object);
}

// A leak check is only worth having if a leak moves the count: every kind of
// object a window paints with must show up, and go again when freed.
TEST(GuiObjectCount, EachKindOfGdiObjectIsCountedWhileItLives) {
    const std::vector<GdiKind> kinds = {
        {"brush", [] { return HGDIOBJ(CreateSolidBrush(RGB(1, 2, 3))); }, DeleteGdi},
        {"pen", [] { return HGDIOBJ(CreatePen(PS_SOLID, 1, RGB(1, 2, 3))); }, DeleteGdi},
        {"font",
         [] {
             LOGFONTW font = {};
             font.lfHeight = -12;
             return HGDIOBJ(CreateFontIndirectW(&font));
         },
         DeleteGdi},
        {"bitmap", [] { return HGDIOBJ(CreateBitmap(4, 4, 1, 32, nullptr)); }, DeleteGdi},
        {"region", [] { return HGDIOBJ(CreateRectRgn(0, 0, 5, 5)); }, DeleteGdi},
        {"memory context", [] { return HGDIOBJ(CreateCompatibleDC(nullptr)); },
         [](HGDIOBJ dc) { DeleteDC(static_cast<HDC>(dc)); }},
    };
    // The system makes some objects of its own on the first use of a kind.
    for (const GdiKind& kind : kinds) {
        kind.free(kind.make());
    }
    for (const GdiKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        test_support::GuiObjectBaseline baseline;
        ASSERT_TRUE(baseline.CanCountGdi());
        std::vector<HGDIOBJ> made;
        for (int i = 0; i < 7; ++i) {
            made.push_back(kind.make());
            ASSERT_NE(made.back(), nullptr);
        }
        EXPECT_EQ(baseline.Gdi(), 7);
        for (HGDIOBJ object : made) {
            kind.free(object);
        }
        EXPECT_EQ(baseline.Gdi(), 0);
    }
}

TEST(GuiObjectCount, WindowsOfEveryKindAreCountedUntilDestroyed) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    test_support::GuiObjectBaseline baseline;
    HWND top = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                               instance, nullptr);
    ASSERT_NE(top, nullptr);
    HWND child =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, top, nullptr, instance, nullptr);
    HWND grandchild =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, child, nullptr, instance, nullptr);
    HWND messageOnly =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    ASSERT_NE(grandchild, nullptr);
    ASSERT_NE(messageOnly, nullptr);
    EXPECT_EQ(baseline.Windows(), 4);
    DestroyWindow(messageOnly);
    EXPECT_EQ(baseline.Windows(), 3);
    DestroyWindow(top);
    EXPECT_EQ(baseline.Windows(), 0);
}

} // namespace
