#include "framework/DeviceContext.h"
#include "framework/GdiObject.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

static_assert(!std::is_copy_constructible_v<CFont>, "a GDI object has one owner");
static_assert(!std::is_copy_assignable_v<CBrush>, "a GDI object has one owner");
static_assert(std::is_nothrow_move_constructible_v<CBitmap>, "ownership moves");
static_assert(std::is_nothrow_move_assignable_v<CRgn>, "ownership moves");
static_assert(!std::is_assignable_v<CFont&, CBrush&&>, "a brush is no font");
static_assert(!std::is_copy_constructible_v<CDC>, "a device context has one owner");

namespace {

// Whether a handle still names a live GDI object.
bool IsLive(HGDIOBJ object) {
    return object != nullptr && GetObjectType(object) != 0;
}

LOGFONTW FontOfHeight(LONG height) {
    LOGFONTW logFont = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    logFont.lfHeight = height;
    return logFont;
}

TEST(GdiObject, EachObjectIsDeletedOnceByItsSingleOwner) {
    HGDIOBJ font = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ region = nullptr;
    {
        CFont ownedFont;
        ASSERT_TRUE(ownedFont.CreateFontIndirect(FontOfHeight(-16)));
        CBrush ownedBrush;
        ASSERT_TRUE(ownedBrush.CreateSolidBrush(RGB(1, 2, 3)));
        CRgn ownedRegion;
        ASSERT_TRUE(ownedRegion.CreateRoundRectRgn(0, 0, 50, 30, 10, 10));
        ASSERT_TRUE(ownedRegion.CreateEllipticRgn(0, 0, 50, 30));
        font = ownedFont.GetSafeHandle();
        brush = ownedBrush.GetSafeHandle();
        region = ownedRegion.GetSafeHandle();
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
        LOGFONTW readBack = {};
        ASSERT_TRUE(ownedFont.GetLogFont(&readBack));
        EXPECT_EQ(readBack.lfHeight, -16);
    }
    EXPECT_FALSE(IsLive(font));
    EXPECT_FALSE(IsLive(brush));
    EXPECT_FALSE(IsLive(region));
}

TEST(GdiObject, ReplacingMovingAndDetachingKeepOneOwner) {
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(FontOfHeight(-12)));
    HGDIOBJ first = font.GetSafeHandle();
    ASSERT_TRUE(font.CreateFontIndirect(FontOfHeight(-20)));
    HGDIOBJ second = font.GetSafeHandle();
    EXPECT_FALSE(IsLive(first)) << "the replaced font leaked";
    EXPECT_TRUE(IsLive(second));

    CFont moved(std::move(font));
    EXPECT_TRUE(font.IsEmpty());
    EXPECT_EQ(moved.GetSafeHandle(), second);
    EXPECT_FALSE(font.DeleteObject()) << "an empty owner has nothing to delete";

    CFont target;
    ASSERT_TRUE(target.CreateFontIndirect(FontOfHeight(-9)));
    HGDIOBJ overwritten = target.GetSafeHandle();
    target = std::move(moved);
    EXPECT_FALSE(IsLive(overwritten));
    EXPECT_EQ(target.GetSafeHandle(), second);
    target = std::move(target);
    EXPECT_TRUE(IsLive(second)) << "self-move deleted the object";

    // Attaching the object already held keeps it.
    EXPECT_TRUE(target.Attach(target.Detach()));
    EXPECT_TRUE(target.Attach(static_cast<HFONT>(second)));
    EXPECT_TRUE(IsLive(second));

    HFONT handedOver = target.Detach();
    EXPECT_TRUE(target.IsEmpty());
    EXPECT_TRUE(IsLive(handedOver));
    EXPECT_TRUE(DeleteObject(handedOver));
}

TEST(GdiObject, AFailedCreationKeepsTheObjectHeldBefore) {
    CBitmap bitmap;
    CClientDC screen(nullptr);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen.GetSafeHdc(), 8, 4));
    HGDIOBJ held = bitmap.GetSafeHandle();
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(nullptr, 8, 4));
    EXPECT_FALSE(bitmap.CreateDIBSection(screen.GetSafeHdc(), nullptr, DIB_RGB_COLORS, nullptr));
    EXPECT_EQ(bitmap.GetSafeHandle(), held);
    BITMAP description = {};
    ASSERT_TRUE(bitmap.GetBitmap(&description));
    EXPECT_EQ(description.bmWidth, 8);
    EXPECT_EQ(description.bmHeight, 4);
    EXPECT_FALSE(bitmap.GetBitmap(nullptr));
    CBitmap empty;
    EXPECT_FALSE(empty.GetBitmap(&description));
    EXPECT_EQ(empty.GetObject(sizeof(description), &description), 0);
}

TEST(GdiObject, AWindowTakesOverADetachedRegion) {
    framework_test::RecordingWnd wnd;
    ASSERT_TRUE(framework_test::CreateTopLevel(wnd));
    CRgn shape;
    ASSERT_TRUE(shape.CreateRectRgn(0, 0, 100, 60));
    ASSERT_NE(SetWindowRgn(wnd.GetSafeHwnd(), shape.Detach(), TRUE), 0);
    EXPECT_TRUE(shape.IsEmpty());
    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd.GetSafeHwnd(), copy.GetHandle()), SIMPLEREGION);
    RECT box = {};
    GetRgnBox(copy.GetHandle(), &box);
    EXPECT_EQ(box.right, 100);
    EXPECT_EQ(box.bottom, 60);
}

// A 32-bit top-down device-independent bitmap of the given size.
BITMAPINFO Bitmap32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

TEST(DeviceContext, DrawingInAMemoryContextAndBlendingReachThePixels) {
    CMemoryDC dc(nullptr);
    ASSERT_NE(dc.GetSafeHdc(), nullptr);
    CBitmap target;
    const BITMAPINFO info = Bitmap32(16, 8);
    void* bits = nullptr;
    ASSERT_TRUE(target.CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits));
    ASSERT_NE(bits, nullptr);
    CBrush white;
    ASSERT_TRUE(white.CreateSolidBrush(RGB(255, 255, 255)));
    {
        CSelectedObject selected(dc, target.GetSafeHandle());
        const RECT all = {0, 0, 16, 8};
        ASSERT_TRUE(dc.FillRect(all, white.GetHandle()));
        EXPECT_EQ(static_cast<const DWORD*>(bits)[0] & 0xFFFFFF, 0xFFFFFFu);

        // A red source blended at half strength over white.
        CMemoryDC sourceDc(dc.GetSafeHdc());
        CBitmap source;
        void* sourceBits = nullptr;
        const BITMAPINFO sourceInfo = Bitmap32(4, 4);
        ASSERT_TRUE(
            source.CreateDIBSection(dc.GetSafeHdc(), &sourceInfo, DIB_RGB_COLORS, &sourceBits));
        for (int i = 0; i < 16; ++i) {
            static_cast<DWORD*>(sourceBits)[i] = 0x00FF0000; // red, no per-pixel alpha
        }
        CSelectedObject sourceSelected(sourceDc, source.GetSafeHandle());
        const BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
        ASSERT_TRUE(dc.AlphaBlend(0, 0, 4, 4, sourceDc.GetSafeHdc(), 0, 0, 4, 4, half));
        const DWORD blended = static_cast<const DWORD*>(bits)[0];
        EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 255, 2);
        EXPECT_NEAR(static_cast<int>((blended >> 8) & 0xFF), 127, 2);
        EXPECT_NEAR(static_cast<int>(blended & 0xFF), 127, 2);
        EXPECT_EQ(static_cast<const DWORD*>(bits)[5] & 0xFFFFFF, 0xFFFFFFu) << "outside the blend";

        EXPECT_TRUE(dc.StretchBlt(8, 0, 8, 8, sourceDc.GetSafeHdc(), 0, 0, 4, 4, SRCCOPY));
        EXPECT_EQ(static_cast<const DWORD*>(bits)[15] & 0xFFFFFF, 0xFF0000u);
    }
    // Selected out at the end of its scope, the bitmap can go.
    EXPECT_TRUE(target.DeleteObject());
}

TEST(DeviceContext, ARegionIsNotSelectedAndNothingIsRestoredForIt) {
    CMemoryDC dc(nullptr);
    ASSERT_NE(dc.GetSafeHdc(), nullptr);
    CBitmap target;
    const BITMAPINFO info = Bitmap32(16, 8);
    void* bits = nullptr;
    ASSERT_TRUE(target.CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits));
    CSelectedObject selectedBitmap(dc, target.GetSafeHandle());
    const RECT all = {0, 0, 16, 8};
    RECT clip = {};
    ASSERT_NE(dc.GetClipBox(&clip), ERROR);
    ASSERT_TRUE(EqualRect(&clip, &all));

    CRgn corner;
    ASSERT_TRUE(corner.CreateRectRgn(0, 0, 4, 4));
    EXPECT_EQ(dc.SelectObject(corner.GetSafeHandle()), nullptr) << "a region kind as a handle";
    ASSERT_NE(dc.GetClipBox(&clip), ERROR);
    EXPECT_TRUE(EqualRect(&clip, &all)) << "the region became the clip";
    {
        CSelectedObject selectedRegion(dc, corner.GetSafeHandle());
        ASSERT_NE(dc.GetClipBox(&clip), ERROR);
        EXPECT_TRUE(EqualRect(&clip, &all));
    }
    // The bitmap is still the one selected, and the region can go.
    EXPECT_EQ(GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP), target.GetSafeHandle());
    EXPECT_TRUE(corner.DeleteObject());
}

TEST(DeviceContext, TextIsMeasuredWithTheSelectedFontAndTheViewsLength) {
    CMemoryDC dc(nullptr);
    CFont small;
    CFont large;
    ASSERT_TRUE(small.CreateFontIndirect(FontOfHeight(-12)));
    ASSERT_TRUE(large.CreateFontIndirect(FontOfHeight(-30)));
    LONG heights[2] = {};
    int index = 0;
    for (CFont* font : {&small, &large}) {
        CSelectedObject selected(dc, font->GetSafeHandle());
        TEXTMETRICW metrics = {};
        ASSERT_TRUE(dc.GetTextMetrics(&metrics));
        RECT rect = {0, 0, 0, 0};
        EXPECT_GT(dc.DrawText(L"\u78C1\u9053 ABA", &rect, DT_CALCRECT | DT_SINGLELINE), 0);
        EXPECT_GT(rect.right, 0);
        heights[index++] = metrics.tmHeight;
    }
    EXPECT_LT(heights[0], heights[1]);

    {
        // A view into a longer text measures its own characters only.
        CSelectedObject selected(dc, small.GetSafeHandle());
        const auto width = [&dc](std::wstring_view text) {
            RECT rect = {0, 0, 0, 0};
            EXPECT_GT(dc.DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE), 0);
            return rect.right - rect.left;
        };
        const std::wstring longer = L"ABAWWWWWWWWWWWW";
        EXPECT_EQ(width(std::wstring_view(longer).substr(0, 3)), width(L"ABA"));
        EXPECT_LT(width(std::wstring_view(longer).substr(0, 3)), width(longer));
    }
    EXPECT_TRUE(small.DeleteObject());
    EXPECT_TRUE(large.DeleteObject());
}

TEST(DeviceContext, DrawTextRefusesWhatItCannotDraw) {
    CMemoryDC dc(nullptr);
    RECT rect = {};
    EXPECT_EQ(dc.DrawText(L"x", nullptr, 0), 0);
    EXPECT_NE(dc.GetClipBox(&rect), ERROR);
    CDC none(nullptr);
    RECT untouched = {0, 0, 10, 10};
    const RECT expected = untouched;
    EXPECT_EQ(none.DrawText(L"x", &untouched, DT_CALCRECT), 0);
    EXPECT_TRUE(EqualRect(&untouched, &expected)) << "no context, no measuring";
}

TEST(DeviceContext, DrawTextNeverWritesIntoTheCallersText) {
    CMemoryDC dc(nullptr);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(FontOfHeight(-16)));
    CSelectedObject selected(dc, font.GetSafeHandle());
    // The text sits in a buffer with room to spare, so that a context that did
    // write its shortened text back would stay inside it and be seen.
    const std::wstring original = L"\u78C1\u9053 ABA ABA ABA ABA ABA ABA ABA ABA";
    std::wstring buffer = original + std::wstring(16, L'#');
    const std::wstring before = buffer;
    const std::wstring_view text(buffer.data(), original.size());
    struct Case {
        UINT format;
        const char* what;
    };
    const Case cases[] = {
        {DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, "end ellipsis"},
        {DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, "path ellipsis"},
        {DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_MODIFYSTRING, "word ellipsis"},
        {DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT, "measured"},
    };
    for (const Case& c : cases) {
        RECT narrow = {0, 0, 40, 20}; // far too narrow for the text
        EXPECT_GT(dc.DrawText(text, &narrow, c.format), 0) << c.what;
        EXPECT_EQ(buffer, before) << c.what << ": the caller's text was rewritten";
    }
}

// A window class with a private device context, which keeps its state between
// GetDC calls: what one context wrapper leaves behind the next one sees.
const wchar_t* OwnDcClassName() {
    return test_support::RegisterPlainClass(L"QorvathOwnDcTest", CS_OWNDC, nullptr);
}

TEST(DeviceContext, AnOwningContextUndoesItsSelectionsAndSettings) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, OwnDcClassName(), L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HGDIOBJ originalFont = nullptr;
    COLORREF originalColour = 0;
    {
        CClientDC dc(wnd.GetSafeHwnd());
        originalFont = GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT);
        originalColour = GetTextColor(dc.GetSafeHdc());
    }
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(FontOfHeight(-25)));
    {
        CClientDC dc(wnd.GetSafeHwnd());
        dc.SelectObject(font.GetSafeHandle()); // never selected back by hand
        dc.SetTextColor(RGB(1, 2, 3));
        dc.SetBkMode(TRANSPARENT);
    }
    {
        CWindowDC check(wnd.GetSafeHwnd());
        CClientDC dc(wnd.GetSafeHwnd());
        EXPECT_EQ(GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), originalFont);
        EXPECT_EQ(GetTextColor(dc.GetSafeHdc()), originalColour);
    }
    EXPECT_TRUE(font.DeleteObject());

    // A borrowed context keeps what is set on it.
    HDC raw = GetDC(wnd.GetSafeHwnd());
    {
        CDC borrowed(raw);
        borrowed.SetTextColor(RGB(9, 8, 7));
    }
    EXPECT_EQ(GetTextColor(raw), RGB(9, 8, 7));
    SetTextColor(raw, originalColour);
    ReleaseDC(wnd.GetSafeHwnd(), raw);
}

// Paints through CPaintDC and records what the paint cycle covered.
class PaintingWnd : public CWnd {
public:
    int paints = 0;
    RECT painted = {};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            CPaintDC dc(*this);
            ++paints;
            painted = dc.GetPaintStruct().rcPaint;
            CBrush brush;
            brush.CreateSolidBrush(RGB(0, 128, 0));
            dc.FillRect(painted, brush.GetHandle());
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(DeviceContext, APaintContextEndsThePaintCycle) {
    PaintingWnd wnd;
    ASSERT_TRUE(framework_test::CreateTopLevel(wnd, WS_POPUP | WS_VISIBLE));
    wnd.UpdateWindow();
    const RECT part = {5, 5, 25, 15};
    wnd.InvalidateRect(&part, FALSE);
    const int before = wnd.paints;
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, before + 1);
    EXPECT_LE(wnd.painted.left, 5);
    EXPECT_GE(wnd.painted.right, 25);
    EXPECT_FALSE(GetUpdateRect(wnd.GetSafeHwnd(), nullptr, FALSE)) << "still needs painting";

    CWnd windowless;
    CPaintDC nothing(windowless);
    EXPECT_EQ(nothing.GetSafeHdc(), nullptr);
    EXPECT_EQ(nothing.SetBkMode(OPAQUE), 0);
}

} // namespace
