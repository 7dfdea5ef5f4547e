#include "components/WinForm.h"
#include "components/LayoutContainer.h"
#include "components/Menu.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/VWndWinForm.h"
#include "tests/components_forms/FormTestSupport.h"
#include "tests/support/GuiObjectCount.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <utility>

#include <string>
#include <vector>

namespace {

using form_test::BindFormEvents;
using form_test::ChangeLimits;
using form_test::CreateTopLevel;
using form_test::TestForm;
using form_test::TopLevelRecord;
using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinForm;
using rg_tarn_MFCJieMian_base::rg_CaiChanLei;
using rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi;
using rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;
using test_support::WindowText;

// Whether two regions cover the same pixels (the platform may keep a
// region's rectangles in another order or split).
bool SameArea(HRGN a, HRGN b) {
    HRGN difference = CreateRectRgn(0, 0, 0, 0);
    const int kind = CombineRgn(difference, a, b, RGN_XOR);
    DeleteObject(difference);
    return kind == NULLREGION;
}

RECT WindowRect(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

TEST(WinForm, ClassKindsAndDefaults) {
    CTarnWinForm form;
    EXPECT_STREQ(form.GetClassInfo().name, "rg_tarn_MFCJieMian_base::CTarnWinForm");
    EXPECT_TRUE(form.IsKindOf(rg_ZuJianBuJuQi::ClassRecord()));
    CVWnd_WinForm* window = form.GetFormWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsKindOf("CVWnd_Container"));
    EXPECT_STREQ(window->GetRuntimeClass()->m_lpszClassName, "CVWnd_WinForm");
    EXPECT_EQ(window->BorderStyle, 2);
    EXPECT_EQ(window->ControlBox, 1u);
    EXPECT_EQ(window->MaxButton, 0u);
    EXPECT_EQ(window->MinButton, 1u);
    EXPECT_EQ(window->EscapeCloses, 1u);
    EXPECT_EQ(window->Movable, 1u);
    EXPECT_EQ(window->GetMenu(), nullptr);
    EXPECT_EQ(form.GetHolder()->Style, 0x14000000u);
    EXPECT_FALSE(form.HasNativeWindow());

    // Copies share the holder, and so the window and its properties.
    CTarnWinForm copy;
    ASSERT_TRUE(copy.CopyFrom(form));
    EXPECT_EQ(copy.GetFormWindow(), window);
    EXPECT_TRUE(copy.IsEqual(form));
    rg_ZuJianBuJuQi container;
    EXPECT_FALSE(form.CopyFrom(container)) << "a form takes only forms";
    copy.Reset();
    EXPECT_NE(copy.GetFormWindow(), window) << "Reset gives a fresh window object";
}

struct StyleCase {
    const char* name;
    int64_t borderStyle;
    uint64_t controlBox;
    const char16_t* text;
    DWORD expectStyleBits; // under the caption mask, besides the minimize box
    DWORD expectExBits;    // tool window and client edge bits
    const wchar_t* expectCaption;
};

// Each border style and caption rule on a real window.
TEST(WinForm, CreatedStylesFollowBorderStyleAndCaptionRules) {
    constexpr DWORD kCaptionSysMenu = WS_CAPTION | WS_SYSMENU;
    const std::vector<StyleCase> cases = {
        {"fixed, control box, no text", 2, 1, u"", kCaptionSysMenu | WS_DLGFRAME, 0,
         L"Tarn应用程序"},
        {"fixed, no control box, no text", 2, 0, u"", WS_DLGFRAME, 0, L""},
        {"fixed, no control box, a text", 2, 0, u"Tool", WS_CAPTION, 0, L"Tool"},
        {"none with a text", 0, 0, u"Tool", 0, 0, L"Tool"},
        {"sizable", 1, 1, u"Tool", kCaptionSysMenu | WS_THICKFRAME, 0, L"Tool"},
        {"sizable tool window", 3, 1, u"Tool", kCaptionSysMenu | WS_THICKFRAME, WS_EX_TOOLWINDOW,
         L"Tool"},
        {"fixed tool window", 4, 1, u"Tool", kCaptionSysMenu, WS_EX_TOOLWINDOW, L"Tool"},
        {"sizable sunken", 5, 1, u"Tool", kCaptionSysMenu | WS_THICKFRAME, WS_EX_CLIENTEDGE,
         L"Tool"},
        {"fixed sunken", 6, 1, u"Tool", kCaptionSysMenu, WS_EX_CLIENTEDGE, L"Tool"},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm form;
        form.designWidth = 300;
        form.designHeight = 200;
        form.Window().BorderStyle = c.borderStyle;
        form.Window().ControlBox = c.controlBox;
        form.SetControlText(CWString(c.text));
        ASSERT_EQ(CreateTopLevel(form), 1);
        const HWND hwnd = form.Hwnd();
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME) & ~WS_BORDER,
                  c.expectStyleBits & ~WS_BORDER & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
        EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION,
                  (c.expectStyleBits & WS_CAPTION) == WS_CAPTION);
        EXPECT_NE(style & WS_CLIPCHILDREN, 0u);
        EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
        EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
        EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), c.expectExBits);
        EXPECT_NE(exStyle & WS_EX_CONTROLPARENT, 0u);
        EXPECT_EQ(WindowText(hwnd), c.expectCaption);
        EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), tarn_msg::kWindowMarker);
        wchar_t className[64] = {};
        GetClassNameW(hwnd, className, 64);
        EXPECT_STREQ(className, L"TarnWinForm");
        form.GetFormWindow()->DestroyWindow();
    }
}

TEST(WinForm, DefaultSizeAroundTheDesignClientCentredOnThePrimaryScreen) {
    TestForm form;
    form.designWidth = 618;
    form.designHeight = 382;
    ControlCreateInfo info = TopLevelRecord();
    ASSERT_EQ(form.CreateNative(info), 1);
    RECT expected = {0, 0, 618, 382};
    ASSERT_TRUE(AdjustWindowRectEx(&expected, info.style, FALSE, info.exStyle));
    const int width = expected.right - expected.left;
    const int height = expected.bottom - expected.top;
    EXPECT_GT(width, 618);
    EXPECT_EQ(form.GetCreationWidth(), width);
    EXPECT_EQ(form.GetCreationHeight(), height);
    const RECT window = WindowRect(form.Hwnd());
    EXPECT_EQ(window.right - window.left, width);
    EXPECT_EQ(window.bottom - window.top, height);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    RECT client = {};
    GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, 618);
    EXPECT_EQ(client.bottom, 382);
    EXPECT_TRUE(IsWindowVisible(form.Hwnd()));
    EXPECT_EQ(form.CreateNative(info), 0) << "a second creation while the window exists";
    form.GetFormWindow()->DestroyWindow();

    // A design size with a side that is not positive gives 0 x 0.
    for (int32_t side : {0, -5}) {
        TestForm empty;
        empty.designWidth = 200;
        empty.designHeight = side;
        ControlCreateInfo record = TopLevelRecord();
        ASSERT_EQ(empty.CreateNative(record), 1);
        EXPECT_EQ(record.width, 0);
        EXPECT_EQ(record.height, 0);
        empty.GetFormWindow()->DestroyWindow();
    }
}

TEST(WinForm, StartStateCentresOnTheMonitorEvenWithExplicitPlace) {
    TestForm form;
    form.Window().StartState = 1;
    ControlCreateInfo info = TopLevelRecord();
    info.x = 10;
    info.y = 20;
    info.width = 300;
    info.height = 200;
    ASSERT_EQ(form.CreateNative(info), 1);
    const RECT window = WindowRect(form.Hwnd());
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form.Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(window.left, (monitor.rcMonitor.left + monitor.rcMonitor.right - 300) / 2);
    EXPECT_EQ(window.top, (monitor.rcMonitor.top + monitor.rcMonitor.bottom - 200) / 2);
    form.GetFormWindow()->DestroyWindow();

    // Out-of-range states are clamped after creation; 0 keeps the place.
    TestForm plain;
    plain.Window().StartState = 9;
    ControlCreateInfo record = info;
    record.x = 10;
    record.y = 20;
    ASSERT_EQ(plain.CreateNative(record), 1);
    EXPECT_EQ(plain.Window().StartState, 3);
    EXPECT_TRUE(IsZoomed(plain.Hwnd()));
    plain.GetFormWindow()->DestroyWindow();
}

// The pixel size of an icon's image, width and height; 0 by 0 for no icon.
std::pair<int, int> IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    const std::pair<int, int> size{bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight
                                                                            : bitmap.bmHeight / 2};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST(WinForm, FramePropertiesReachTheWindow) {
    const HICON custom = CopyIcon(LoadIconW(nullptr, IDI_ASTERISK));
    const struct {
        const char* name;
        uint64_t topMost;
        uint64_t movable;
        const char16_t* className;
        HICON icon;
    } cases[] = {
        {"defaults", 0, 1, u"", nullptr},
        {"top-most, not movable", 1, 0, u"", nullptr},
        {"an own class and icon", 0, 1, u"QorvathOwnForm", custom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm form;
        form.Window().TopMost = c.topMost;
        form.Window().Movable = c.movable;
        form.Window().ClassName = CWString(c.className);
        if (c.icon != nullptr) {
            form.Window().Icon = c.icon;
        }
        ASSERT_EQ(CreateTopLevel(form), 1);
        const HWND hwnd = form.Hwnd();
        EXPECT_EQ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.topMost != 0);
        const UINT moveState = GetMenuState(GetSystemMenu(hwnd, FALSE), SC_MOVE, MF_BYCOMMAND);
        EXPECT_EQ(moveState != static_cast<UINT>(-1), c.movable != 0);
        wchar_t className[64] = {};
        GetClassNameW(hwnd, className, 64);
        EXPECT_STREQ(className, c.className[0] != 0 ? L"QorvathOwnForm" : L"TarnWinForm");
        const HICON shown = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
        const HICON small = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(shown, form.Window().Icon);
        if (c.icon != nullptr) {
            EXPECT_EQ(shown, custom);
            EXPECT_EQ(small, custom);
        } else {
            // The default group 100: the title bar gets its small image, the
            // task switcher its large one, neither another size scaled.
            EXPECT_EQ(IconSize(shown),
                      std::make_pair(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
            EXPECT_EQ(IconSize(small),
                      std::make_pair(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
        }
        form.GetFormWindow()->DestroyWindow();
    }
    DestroyIcon(custom);
}

TEST(WinForm, ChildFormWithDefaultPlaceSitsAtTheOrigin) {
    TestForm parent;
    ASSERT_EQ(CreateTopLevel(parent), 1);
    TestForm child;
    child.designWidth = 100;
    child.designHeight = 50;
    ASSERT_EQ(child.CreateInParent(&parent, ControlCreateInfo::kDefaultSize,
                                   ControlCreateInfo::kDefaultSize, ControlCreateInfo::kDefaultSize,
                                   ControlCreateInfo::kDefaultSize, 7),
              1);
    EXPECT_EQ(GetParent(child.Hwnd()), parent.Hwnd());
    EXPECT_NE(GetWindowLongPtrW(child.Hwnd(), GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetDlgCtrlID(child.Hwnd()), 7);
    POINT origin = {0, 0};
    MapWindowPoints(child.Hwnd(), parent.Hwnd(), &origin, 1);
    RECT frame = WindowRect(child.Hwnd());
    POINT corner = {frame.left, frame.top};
    ScreenToClient(parent.Hwnd(), &corner);
    EXPECT_EQ(corner.x, 0);
    EXPECT_EQ(corner.y, 0);
    parent.GetFormWindow()->DestroyWindow();
}

TEST(WinForm, CaptionStyleFollowsTheTextOfAFormWithoutControlBox) {
    TestForm form;
    form.Window().ControlBox = 0;
    form.SetControlText(CWString(u"Tarn应用程序"));
    ASSERT_EQ(CreateTopLevel(form), 1);
    const HWND hwnd = form.Hwnd();
    EXPECT_NE((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION), WS_CAPTION)
        << "the default caption shows no caption bar";
    // The update judges the text the window had before the change.
    SetWindowTextW(hwnd, L"Named");
    EXPECT_NE((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION), WS_CAPTION);
    SetWindowTextW(hwnd, L"Named again");
    EXPECT_EQ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION), WS_CAPTION);
    form.GetFormWindow()->DestroyWindow();
}

TEST(WinForm, RoundedShapeUsesAFifthOfTheSmallerSide) {
    TestForm form;
    form.Window().WindowShape = 2;
    form.Window().BorderStyle = 0;
    ControlCreateInfo info = TopLevelRecord();
    info.width = 500;
    info.height = 300;
    ASSERT_EQ(form.CreateNative(info), 1);
    const RECT window = WindowRect(form.Hwnd());
    ASSERT_EQ(window.right - window.left, 500);
    ASSERT_EQ(window.bottom - window.top, 300);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form.Hwnd(), region), ERROR);
    HRGN expected = CreateRoundRectRgn(0, 0, 500, 300, 60, 60);
    EXPECT_TRUE(SameArea(region, expected));
    HRGN other = CreateRoundRectRgn(0, 0, 500, 300, 50, 50);
    EXPECT_FALSE(SameArea(region, other)) << "the comparison cannot tell diameters apart";
    DeleteObject(other);
    // A new size gets a new region; shape 0 removes it.
    SetWindowPos(form.Hwnd(), nullptr, 0, 0, 250, 100, SWP_NOMOVE | SWP_NOZORDER);
    HRGN smaller = CreateRoundRectRgn(0, 0, 250, 100, 20, 20);
    ASSERT_NE(GetWindowRgn(form.Hwnd(), region), ERROR);
    EXPECT_TRUE(SameArea(region, smaller));
    form.Window().UpdateWindowShape(-3);
    EXPECT_EQ(form.Window().WindowShape, 0);
    EXPECT_EQ(GetWindowRgn(form.Hwnd(), region), ERROR);
    DeleteObject(region);
    DeleteObject(expected);
    DeleteObject(smaller);
    form.GetFormWindow()->DestroyWindow();
}

struct CloseCase {
    const char* name;
    int32_t closingAnswer;
    int32_t queryAnswer;
    bool closingDestroys;
    std::vector<std::string> expectLog;
    bool expectWindow;
};

TEST(WinForm, CloseSequenceAsksClosingThenQueryClose) {
    const std::vector<CloseCase> cases = {
        {"nobody refuses", 0, 0, false, {"closing", "query close"}, false},
        {"closing refuses", 1, 0, false, {"closing"}, true},
        {"query close refuses", 0, 1, false, {"closing", "query close"}, true},
        {"closing destroys the window", 0, 0, true, {"closing"}, false},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestForm form;
        EventRecorder log;
        BindFormEvents(form, log);
        ASSERT_EQ(CreateTopLevel(form), 1);
        log.log.clear();
        log.answers["closing"] = c.closingAnswer;
        log.answers["query close"] = c.queryAnswer;
        if (c.closingDestroys) {
            log.actions["closing"] = [&] { form.GetFormWindow()->DestroyWindow(); };
        }
        SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
        std::vector<std::string> closeEvents;
        for (const std::string& entry : log.Names()) {
            if (entry == "closing" || entry == "query close") {
                closeEvents.push_back(entry);
            }
        }
        EXPECT_EQ(closeEvents, c.expectLog);
        EXPECT_EQ(form.HasNativeWindow(), c.expectWindow);
        if (form.HasNativeWindow()) {
            form.GetFormWindow()->DestroyWindow();
        }
    }
}

TEST(WinForm, WithoutHandlersCloseDestroysAndSessionEndIsAskedOnce) {
    TestForm form;
    ASSERT_EQ(CreateTopLevel(form), 1);
    EXPECT_EQ(SendMessageW(form.Hwnd(), WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.HasNativeWindow());

    TestForm refusing;
    EventRecorder log;
    BindFormEvents(refusing, log);
    log.answers["query close"] = 1;
    ASSERT_EQ(CreateTopLevel(refusing), 1);
    log.log.clear();
    EXPECT_EQ(SendMessageW(refusing.Hwnd(), WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(log.Names(), std::vector<std::string>{"query close"});
    refusing.GetFormWindow()->DestroyWindow();
}

TEST(WinForm, FirstActivationOncePerWindowAndAgainForANewWindow) {
    TestForm form;
    EventRecorder log;
    BindFormEvents(form, log);
    // Activation events only; the creation raises others on the way.
    const auto activations = [&log] {
        std::vector<std::string> found;
        for (const std::string& entry : log.Names()) {
            if (entry.find("activated") != std::string::npos) {
                found.push_back(entry);
            }
        }
        return found;
    };
    ASSERT_EQ(CreateTopLevel(form), 1);
    PumpMessagesUntilIdle();
    const std::vector<std::string> first = {"first activated", "activated"};
    EXPECT_EQ(activations(), first);

    TestForm other;
    ASSERT_EQ(CreateTopLevel(other), 1);
    SetActiveWindow(form.Hwnd());
    PumpMessagesUntilIdle();
    EXPECT_EQ(log.Count("first activated"), 1);
    EXPECT_EQ(log.Count("deactivated"), 1);
    EXPECT_EQ(log.Count("activated"), 2);
    other.GetFormWindow()->DestroyWindow();

    // A handler that destroys the window during the first activation stops
    // the sequence; the guard is down again for the next window.
    form.GetFormWindow()->DestroyWindow();
    log.log.clear();
    log.actions["first activated"] = [&] { form.GetFormWindow()->DestroyWindow(); };
    // Destroyed while it was being made: the creation itself fails.
    EXPECT_EQ(CreateTopLevel(form), 0);
    EXPECT_EQ(activations(), std::vector<std::string>{"first activated"});
    EXPECT_FALSE(form.HasNativeWindow());
    EXPECT_FALSE(form.Window().IsInActivation());
    log.actions.clear();
    log.log.clear();
    ASSERT_EQ(CreateTopLevel(form), 1);
    PumpMessagesUntilIdle();
    EXPECT_EQ(activations(), first) << "a window made again raises its activation events";
    form.GetFormWindow()->DestroyWindow();
}

TEST(WinForm, PositionLimitsApplyOnlyWithANonzeroResult) {
    for (int32_t answer : {1, 0}) {
        SCOPED_TRACE(answer);
        TestForm form;
        EventRecorder log;
        BindFormEvents(form, log);
        std::vector<int32_t> seen;
        ChangeLimits(log, [&](rg_ChuangKouWeiZhiXianZhiXinXi& limits) {
            seen = {limits.MinTrackSize.width, limits.MinTrackSize.height,
                    limits.MaxTrackSize.width};
            limits.MinTrackSize = {400, 300};
            limits.MaxPosition = {-7, -8};
        });
        log.answers["limits"] = answer;
        ASSERT_EQ(CreateTopLevel(form), 1);
        MINMAXINFO info = {};
        info.ptMaxTrackSize = {2000, 1500};
        info.ptMinTrackSize = {50, 50};
        SendMessageW(form.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0], 1) << "the smallest tracking size starts at 1 x 1";
        EXPECT_EQ(seen[1], 1);
        if (answer != 0) {
            EXPECT_EQ(info.ptMinTrackSize.x, 400);
            EXPECT_EQ(info.ptMinTrackSize.y, 300);
            EXPECT_EQ(info.ptMaxPosition.x, -7);
        } else {
            EXPECT_EQ(info.ptMinTrackSize.x, 1);
            EXPECT_EQ(info.ptMinTrackSize.y, 1);
            EXPECT_NE(info.ptMaxPosition.x, -7);
        }
        form.GetFormWindow()->DestroyWindow();
    }
}

TEST(WinForm, TrayCallbackMapsClickKinds) {
    TestForm form;
    EventRecorder log;
    BindFormEvents(form, log);
    ASSERT_EQ(CreateTopLevel(form), 1);
    const struct {
        LPARAM mouse;
        const char* expect; // null: nothing raised
    } cases[] = {{WM_LBUTTONUP, "tray 1"}, {WM_LBUTTONDBLCLK, "tray 2"},
                 {WM_RBUTTONUP, "tray 3"}, {WM_CONTEXTMENU, "tray 3"},
                 {WM_MOUSEMOVE, nullptr},  {WM_LBUTTONDOWN, nullptr}};
    for (const auto& c : cases) {
        log.log.clear();
        EXPECT_EQ(SendMessageW(form.Hwnd(), tarn_msg::kTrayNotify, 100, c.mouse), 0);
        if (c.expect != nullptr) {
            EXPECT_EQ(log.Names(), std::vector<std::string>{c.expect}) << c.mouse;
        } else {
            EXPECT_TRUE(log.Names().empty()) << c.mouse;
        }
    }
    form.GetFormWindow()->DestroyWindow();
}

TEST(WinForm, MenuSelectionAndDefaultId) {
    TestForm form;
    EventRecorder log;
    BindFormEvents(form, log);
    form_test::KeyboardChildren children;
    form.onCreated = [&](TestForm& self) { children.Create(*self.GetFormWindow()); };
    ASSERT_EQ(CreateTopLevel(form), 1);
    const struct {
        WPARAM wParam;
        LPARAM lParam;
        const char* expect;
    } selections[] = {
        {MAKEWPARAM(501, MF_STRING), 1, "select 501"},
        {MAKEWPARAM(3, MF_POPUP), 1, "select 0"},
        {MAKEWPARAM(SC_CLOSE, MF_SYSMENU), 1, "select 0"},
        {MAKEWPARAM(0, 0xFFFF), 0, "select 0"},
    };
    for (const auto& s : selections) {
        log.log.clear();
        SendMessageW(form.Hwnd(), WM_MENUSELECT, s.wParam, s.lParam);
        EXPECT_EQ(log.Names(), std::vector<std::string>{s.expect});
    }

    EXPECT_EQ(SendMessageW(form.Hwnd(), DM_GETDEFID, 0, 0), 0) << "no default id set";
    form.Window().DefaultButtonId = 104;
    EXPECT_EQ(SendMessageW(form.Hwnd(), DM_GETDEFID, 0, 0), 0x534B0000 | 104);
    form.Window().DefaultButtonId = 999;
    EXPECT_EQ(SendMessageW(form.Hwnd(), DM_GETDEFID, 0, 0), 0) << "no window has the id";
    form.Window().DefaultButtonId = 104;
    EnableWindow(form.Hwnd(), FALSE);
    EXPECT_EQ(SendMessageW(form.Hwnd(), DM_GETDEFID, 0, 0), 0) << "a disabled form";
    EnableWindow(form.Hwnd(), TRUE);
    form.GetFormWindow()->DestroyWindow();
}

// A menu shown by a form is taken back from the window before the window
// goes, so the menu object alone destroys it, once.
TEST(WinForm, MenuOutlivesTheWindowAndIsDestroyedOnceByItsObject) {
    auto* shared = new CRefTarnMenu();
    HMENU handle = CreateMenu();
    AppendMenuW(handle, MF_STRING, 501, L"&Go");
    shared->SetMenuHandle(handle);
    rg_CaiChanLei menu;
    menu.SetMenu(shared);
    shared->Release();
    {
        TestForm form;
        form.designWidth = 300;
        form.designHeight = 200;
        ControlCreateInfo info = TopLevelRecord();
        info.menu = &menu;
        ASSERT_EQ(form.CreateNative(info), 1);
        EXPECT_EQ(GetMenu(form.Hwnd()), handle);
        RECT client = {};
        GetClientRect(form.Hwnd(), &client);
        EXPECT_EQ(client.bottom, 200) << "the default size counts the menu bar";
        EXPECT_EQ(shared->GetRefCount(), 2);
        form.GetFormWindow()->DestroyWindow();
        EXPECT_TRUE(IsMenu(handle)) << "the platform destroyed the menu with its window";
        ASSERT_EQ(form.CreateNative(info), 1) << "a window made again shows the same menu";
        EXPECT_EQ(GetMenu(form.Hwnd()), handle);
    }
    EXPECT_TRUE(IsMenu(handle)) << "the menu component still holds the menu";
    EXPECT_EQ(shared->GetRefCount(), 1);
    menu.Reset();
    EXPECT_FALSE(IsMenu(handle));
}

// The tray icon and the help state are cleared when the window goes, so a
// second window's end frees nothing twice.
TEST(WinForm, TrayIconIsFreedOnceAtDestroy) {
    TestForm form;
    ASSERT_EQ(CreateTopLevel(form), 1);
    form.Window().TrayIcon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    ASSERT_NE(form.Window().TrayIcon, nullptr);
    const HICON icon = form.Window().TrayIcon;
    form.GetFormWindow()->DestroyWindow();
    EXPECT_EQ(form.Window().TrayIcon, nullptr);
    EXPECT_FALSE(form.Window().IsHelpOpened());
    ICONINFO info = {};
    EXPECT_FALSE(GetIconInfo(icon, &info)) << "the tray icon was not destroyed";
    const test_support::GuiLeakCheck check;
    ASSERT_EQ(CreateTopLevel(form), 1);
    form.GetFormWindow()->DestroyWindow();
    EXPECT_TRUE(check.NothingLeft());
}

// A layout container that copies a form shares its window, but form
// operations never reach the container's listener.
TEST(WinForm, ContainerSharingAFormWindowGetsNoFormOperations) {
    TestForm form;
    EventRecorder log;
    BindFormEvents(form, log);
    rg_ZuJianBuJuQi container;
    ASSERT_TRUE(container.CopyFrom(form)) << "a layout container accepts a form";
    container.AttachListener();
    ASSERT_EQ(CreateTopLevel(form), 1);
    // The form attached its own listeners on creation; the container takes
    // the container listener back.
    container.AttachListener();
    form.DetachListener();
    EXPECT_EQ(form.Window().GetFormListener(), nullptr);
    log.log.clear();
    const HWND hwnd = form.Hwnd();
    SendMessageW(hwnd, tarn_msg::kTrayNotify, 100, WM_LBUTTONUP);
    MINMAXINFO info = {};
    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(hwnd, WM_MENUSELECT, MAKEWPARAM(5, 0), 1);
    SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(log.Names().empty());
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd)) << "without a form listener the form just closes";
    EXPECT_TRUE(log.Names().empty());
}

// Made and destroyed over and over, by its window and by its holder, a form
// leaves no GDI object or window behind.
TEST(WinForm, ThousandFormsLeaveNoObjectsBehind) {
    const auto makeAndDestroy = [](int round) {
        TestForm form;
        form.designWidth = 200;
        form.designHeight = 100;
        form.Window().WindowShape = round % 3;
        form_test::KeyboardChildren children;
        form.onCreated = [&](TestForm& self) { children.Create(*self.GetFormWindow()); };
        form.SetFontDescription(CWString(u", 10, 1"));
        if (CreateTopLevel(form) != 1) {
            return false;
        }
        if (round % 2 == 0) {
            form.GetFormWindow()->DestroyWindow(); // first by its window
        }
        return true; // then by its holder, with the component
    };
    test_support::ExpectRoundsLeaveNothing(
        1000, [&](int round) { ASSERT_TRUE(makeAndDestroy(round)) << round; }, 2);
}

} // namespace
