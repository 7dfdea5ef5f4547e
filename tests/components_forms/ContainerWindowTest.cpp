#include "components/LayoutContainer.h"

#include "native/PrivateMessages.h"
#include "native/VWndContainer.h"
#include "runtime/WideText.h"
#include "tests/components_forms/TestControl.h"
#include "tests/support/GuiObjectCount.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MemoryBitmaps.h"
#include "tests/support/ScreenPixels.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using components_test::CTestControl;
using rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi;
using test_support::SameColour;
using test_support::ScreenPixel;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 32-bit DIB of one colour with the given alpha (premultiplied).
HBITMAP SolidDib(int width, int height, COLORREF color, BYTE alpha) {
    return test_support::SolidBitmap(test_support::BitmapKind::kDib32, width, height, color, alpha);
}

// A visible top-level layout container of the given client size.
struct Shown {
    explicit Shown(int width = 100, int height = 100, COLORREF back = kBlue) {
        layout.GetHolder()->Style = WS_POPUP | WS_VISIBLE;
        layout.GetContainerWindow()->BackColor = back;
        EXPECT_EQ(layout.CreateInParent(nullptr, 200, 150, width, height, 0), 1);
        hwnd = layout.GetWindowHandle();
        test_support::PumpMessagesUntilIdle();
    }
    CVWnd_Container& Window() { return *layout.GetContainerWindow(); }
    void Repaint() {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        test_support::PumpMessagesUntilIdle();
    }

    rg_ZuJianBuJuQi layout;
    HWND hwnd = nullptr;
};

TEST(ContainerPainting, TheBackgroundColourFillsTheClientArea) {
    struct Case {
        COLORREF back;
        COLORREF shown;
    };
    const Case cases[] = {
        {kBlue, kBlue},
        {RGB(12, 200, 99), RGB(12, 200, 99)},
        {kSystemBackColor, GetSysColor(COLOR_BTNFACE)},
    };
    Shown container(120, 80);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.back);
        container.Window().BackColor = c.back;
        container.Repaint();
        for (POINT p : {POINT{0, 0}, POINT{60, 40}, POINT{119, 79}}) {
            EXPECT_EQ(ScreenPixel(container.hwnd, p.x, p.y), c.shown) << p.x << "," << p.y;
        }
    }
}

TEST(ContainerPainting, AFittedPictureIsShrunkAndCentred) {
    // 400 x 200 in a 100 x 100 client: 100 x 50, rows 25 to 74.
    Shown container(100, 100, kBlue);
    container.Window().Picture.Attach(SolidDib(400, 200, kRed, 255));
    container.Window().PictureMode = kPictureFitted;
    container.Repaint();
    const struct {
        int x, y;
        COLORREF colour;
    } probes[] = {{50, 24, kBlue}, {50, 25, kRed},  {0, 50, kRed},  {99, 50, kRed},
                  {50, 74, kRed},  {50, 75, kBlue}, {50, 0, kBlue}, {50, 99, kBlue}};
    for (const auto& p : probes) {
        EXPECT_EQ(ScreenPixel(container.hwnd, p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // A 50 x 50 picture keeps its size, centred.
    container.Window().Picture.Attach(SolidDib(50, 50, kRed, 255));
    container.Repaint();
    EXPECT_EQ(ScreenPixel(container.hwnd, 24, 50), kBlue);
    EXPECT_EQ(ScreenPixel(container.hwnd, 25, 25), kRed);
    EXPECT_EQ(ScreenPixel(container.hwnd, 74, 74), kRed);
    EXPECT_EQ(ScreenPixel(container.hwnd, 75, 50), kBlue);
}

TEST(ContainerPainting, AnAlphaPictureBlendsWithTheBackgroundOrWhatLiesBelow) {
    // Half-transparent white over blue.
    Shown container(60, 60, kBlue);
    container.Window().Picture.Attach(SolidDib(60, 60, RGB(255, 255, 255), 128));
    container.Window().PictureMode = kPictureStretched;
    container.Repaint();
    EXPECT_TRUE(SameColour(ScreenPixel(container.hwnd, 30, 30), RGB(128, 128, 255), 3))
        << std::hex << ScreenPixel(container.hwnd, 30, 30);
}

// A transparent container is moved over a parent whose halves are red and
// green: what shows through it afterwards is green, nowhere the red it
// showed before, and its own picture is drawn over it.
TEST(ContainerPainting, AMovedTransparentContainerLeavesNoStalePixels) {
    Shown parent(300, 100, kRed);
    // The right half green: a plain container filling it.
    rg_ZuJianBuJuQi right;
    right.GetContainerWindow()->BackColor = kGreen;
    ASSERT_EQ(right.CreateInParent(&parent.layout, 150, 0, 150, 100, 1), 1);
    rg_ZuJianBuJuQi glass;
    glass.GetContainerWindow()->Transparent = 1;
    glass.GetContainerWindow()->Picture.Attach(SolidDib(4, 4, kBlue, 255));
    ASSERT_EQ(glass.CreateInParent(&parent.layout, 20, 20, 60, 60, 2), 1);
    SetWindowPos(glass.GetWindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    test_support::PumpMessagesUntilIdle();
    ASSERT_EQ(ScreenPixel(parent.hwnd, 50, 50), kRed);
    ASSERT_EQ(ScreenPixel(parent.hwnd, 21, 21), kBlue) << "the picture at its corner";

    MoveWindow(glass.GetWindowHandle(), 200, 20, 60, 60, TRUE);
    test_support::PumpMessagesUntilIdle();
    for (POINT p : {POINT{230, 50}, POINT{259, 79}, POINT{210, 70}}) {
        EXPECT_EQ(ScreenPixel(parent.hwnd, p.x, p.y), kGreen) << p.x << "," << p.y;
    }
    EXPECT_EQ(ScreenPixel(parent.hwnd, 201, 21), kBlue);
    EXPECT_EQ(ScreenPixel(parent.hwnd, 50, 50), kRed) << "the old place";
}

// The text the container's tool tip holds for a control; empty without one.
std::wstring HintOf(CToolTipCtrl* tip, HWND control) {
    wchar_t text[INFOTIPSIZE] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    if (tip == nullptr || !tip->SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
        return {};
    }
    tool.lpszText = text;
    tip->SendMessage(TTM_GETTEXTW, INFOTIPSIZE, reinterpret_cast<LPARAM>(&tool));
    return text;
}

CWString Text(const wchar_t* text) {
    return CWString(FromWide(text));
}

TEST(ContainerHints, EachControlHasOneToolWhoseTextFollowsItsHint) {
    Shown container;
    CTestControl a;
    CTestControl b;
    CTestControl outside;
    // A hint before the window exists is lost.
    a.SetHintText(Text(L"too early"));
    ASSERT_EQ(a.CreateInParent(&container.layout, 0, 0, 40, 20, 1), 1);
    ASSERT_EQ(b.CreateInParent(&container.layout, 0, 30, 40, 20, 2), 1);
    ASSERT_EQ(outside.CreateInParent(nullptr, 0, 0, 40, 20, 3), 1);
    EXPECT_EQ(container.Window().ToolTip, nullptr) << "made on first request only";

    struct Step {
        CTestControl* control;
        const wchar_t* text;
        int count;
        const wchar_t* hintA;
        const wchar_t* hintB;
    };
    const Step steps[] = {
        {&a, L"\u8F93\u5165 ABA", 1, L"\u8F93\u5165 ABA", L""},
        {&b, L"SPT", 2, L"\u8F93\u5165 ABA", L"SPT"},
        {&a, L"changed", 2, L"changed", L"SPT"},
        {&a, L"", 1, L"", L"SPT"},
        {&b, L"", 0, L"", L""},
        {&b, L"again", 1, L"", L"again"},
        {&outside, L"no container", 1, L"", L"again"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << static_cast<const void*>(step.text));
        step.control->SetHintText(Text(step.text));
        CToolTipCtrl* tip = container.Window().ToolTip.get();
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(tip->GetToolCount(), step.count);
        EXPECT_EQ(HintOf(tip, a.GetWindowHandle()), step.hintA);
        EXPECT_EQ(HintOf(tip, b.GetWindowHandle()), step.hintB);
    }
    HWND tipWindow = container.Window().ToolTip->GetSafeHwnd();
    EXPECT_EQ(GetWindow(tipWindow, GW_OWNER), container.hwnd);
    // The tool tip goes with the window.
    DestroyWindow(container.hwnd);
    EXPECT_FALSE(IsWindow(tipWindow));
    EXPECT_EQ(container.layout.GetContainerWindow()->ToolTip, nullptr);
}

// A tool tip whose WM_APP runs a handler that frees its container, then
// reads the tip's canary as code returning from the handler would. Its
// destructor notes whether one of its messages was still running.
struct TipCanary {
    unsigned seenAfterHandler = 0;
    int deleted = 0;
    int busyAtDeletion = 0;
    rg_ZuJianBuJuQi* container = nullptr;
};
TipCanary g_tipCanary;

class CanaryTip : public CToolTipCtrl {
public:
    static constexpr unsigned kAlive = 0x7117;
    static constexpr unsigned kDead = 0xDEAD;
    ~CanaryTip() override {
        canary = kDead;
        ++g_tipCanary.deleted;
        g_tipCanary.busyAtDeletion += GetDispatchDepth() > 0 ? 1 : 0;
    }
    volatile unsigned canary = kAlive;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            FreeObject(g_tipCanary.container);
            g_tipCanary.seenAfterHandler = canary;
            return 0;
        }
        return CToolTipCtrl::WindowProc(message, wParam, lParam);
    }
};

// A handler that frees a container from inside a message of the container's
// tool tip destroys both windows at once; the tool tip object, and the
// container's window object that owns it, go only when that message returns.
TEST(ContainerHints, AContainerFreedInsideItsToolTipsMessageGoesWhenTheMessageReturns) {
    auto* layout = new rg_ZuJianBuJuQi();
    layout->GetHolder()->Style = WS_POPUP | WS_VISIBLE;
    ASSERT_EQ(layout->CreateInParent(nullptr, 200, 150, 100, 100, 0), 1);
    CVWnd_Container& window = *layout->GetContainerWindow();
    auto tip = std::make_unique<CanaryTip>();
    ASSERT_TRUE(tip->Create(&window));
    const HWND tipWindow = tip->GetSafeHwnd();
    window.ToolTip = std::move(tip);
    CTestControl control;
    ASSERT_EQ(control.CreateInParent(layout, 10, 10, 40, 20, 1), 1);
    control.SetHintText(Text(L"hint"));
    ASSERT_EQ(window.ToolTip->GetSafeHwnd(), tipWindow) << "the container kept its tool tip";
    const HWND containerWindow = layout->GetWindowHandle();
    g_tipCanary = TipCanary{};
    g_tipCanary.container = layout;

    SendMessageW(tipWindow, WM_APP, 0, 0);
    EXPECT_EQ(g_tipCanary.seenAfterHandler, CanaryTip::kAlive);
    EXPECT_EQ(g_tipCanary.deleted, 1);
    EXPECT_EQ(g_tipCanary.busyAtDeletion, 0);
    EXPECT_FALSE(IsWindow(tipWindow));
    EXPECT_FALSE(IsWindow(containerWindow));
    test_support::PumpMessagesUntilIdle();
}

// Records the relay requests that reach a tool tip window.
struct RelaySpy {
    static inline std::vector<UINT> relayed;
    static inline WNDPROC next = nullptr;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == TTM_RELAYEVENT && lParam != 0) {
            relayed.push_back(reinterpret_cast<const MSG*>(lParam)->message);
        }
        return CallWindowProcW(next, hwnd, message, wParam, lParam);
    }
};

TEST(ContainerHints, ThePreTranslationRelaysMouseMessagesButNotDoubleClicks) {
    Shown container;
    CTestControl control;
    ASSERT_EQ(control.CreateInParent(&container.layout, 10, 10, 40, 20, 1), 1);
    control.SetHintText(Text(L"hint"));
    HWND tip = container.Window().ToolTip->GetSafeHwnd();
    RelaySpy::next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelaySpy::Proc)));

    struct Case {
        UINT message;
        bool trusted;
        LPARAM marker;
        bool relayed;
    };
    const Case cases[] = {
        {WM_MOUSEMOVE, true, tarn_msg::kWindowMarker, true},
        {WM_LBUTTONDOWN, true, tarn_msg::kWindowMarker, true},
        {WM_LBUTTONDBLCLK, true, tarn_msg::kWindowMarker, false},
        {WM_RBUTTONDBLCLK, true, tarn_msg::kWindowMarker, false},
        {WM_MBUTTONUP, true, tarn_msg::kWindowMarker, true},
        {WM_KEYDOWN, true, tarn_msg::kWindowMarker, false},
        {WM_LBUTTONDOWN, true, 0, false},                        // no marker
        {WM_LBUTTONDOWN, false, tarn_msg::kWindowMarker, false}, // not our own send
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.message << " " << c.trusted);
        RelaySpy::relayed.clear();
        MSG queued = {control.GetWindowHandle(), c.message, MK_LBUTTON,
                      MAKELPARAM(3, 4),          77,        {20, 20}};
        const MSG before = queued;
        const auto wParam = reinterpret_cast<WPARAM>(&queued);
        const LRESULT answer =
            c.trusted ? tarn_msg::SendTrustedMessage(container.hwnd, tarn_msg::kPreTranslate,
                                                     wParam, c.marker)
                      : SendMessageW(container.hwnd, tarn_msg::kPreTranslate, wParam, c.marker);
        EXPECT_EQ(answer, 0) << "a container never consumes the message";
        EXPECT_EQ(RelaySpy::relayed,
                  c.relayed ? std::vector<UINT>{c.message} : std::vector<UINT>{});
        EXPECT_EQ(memcmp(&queued, &before, sizeof(MSG)), 0);
    }
    SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelaySpy::next));
}

TEST(ContainerFocus, TheFocusGoesToTheFirstChildThatTakesKeysOrElseTheFirstTabStop) {
    struct Case {
        const char* name;
        std::vector<const wchar_t*> classes;
        std::vector<DWORD> styles;
        int expected;
    };
    const Case cases[] = {
        {"first tab stop", {L"STATIC", L"BUTTON", L"BUTTON"}, {0, WS_TABSTOP, WS_TABSTOP}, 1},
        {"an edit wins", {L"BUTTON", L"EDIT"}, {WS_TABSTOP, 0}, 1},
        {"nothing takes keys", {L"STATIC", L"STATIC"}, {0, 0}, 0},
        {"hidden ones are passed over", {L"EDIT", L"BUTTON"}, {WS_DISABLED, WS_TABSTOP}, 1},
    };
    Shown host(300, 200);
    SetActiveWindow(host.hwnd);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rg_ZuJianBuJuQi container;
        ASSERT_EQ(container.CreateInParent(&host.layout, 10, 10, 200, 150, 1), 1);
        std::vector<CTestControl> children(c.classes.size());
        for (size_t i = 0; i < children.size(); ++i) {
            children[i].className = c.classes[i];
            children[i].GetHolder()->Style |= c.styles[i];
            ASSERT_EQ(children[i].CreateInParent(&container, 0, static_cast<int>(i) * 25, 60, 20,
                                                 static_cast<int>(i) + 1),
                      1);
        }
        SetFocus(host.hwnd);
        test_support::PumpMessagesUntilIdle();
        // The focus given to the container moves on into it.
        SetFocus(container.GetWindowHandle());
        test_support::PumpMessagesUntilIdle();
        EXPECT_EQ(GetFocus(), children[c.expected].GetWindowHandle());
    }
}

// Every paint and every hint change gives back what it made.
TEST(ContainerResources, AThousandPaintAndHintCyclesLeaveTheGdiCountUnchanged) {
    Shown container(120, 80);
    container.Window().Picture.Attach(SolidDib(30, 20, kRed, 128));
    CTestControl control;
    ASSERT_EQ(control.CreateInParent(&container.layout, 5, 5, 50, 20, 1), 1);
    const auto cycle = [&](int round) {
        container.Window().PictureMode = round % 5; // mode 4 draws nothing
        container.Window().Transparent = round % 7 == 0 ? 1 : 0;
        container.Window().BackColor = round % 3 == 0 ? kSystemBackColor : RGB(round % 256, 9, 9);
        RedrawWindow(container.hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        control.SetHintText(Text(round % 4 == 0 ? L"" : (round % 2 == 0 ? L"even" : L"odd")));
    };
    test_support::ExpectRoundsLeaveNothing(1000, cycle, 2);
}

} // namespace
