#include "components/Button.h"
#include "components/ControlCreation.h"
#include "components/GroupBox.h"
#include "native/VWndButton.h"
#include "tests/components_controls/ControlsTestSupport.h"
#include "tests/support/MemoryBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using Canvas = test_support::MemoryCanvas;
using controls_test::ChildRecord;
using controls_test::HostWindow;
using controls_test::kClicked;
using test_support::EventRecorder;
using test_support::PumpMessagesUntilIdle;

TEST(Button, ClicksReachClickedOnlyAfterAttachListener) {
    HostWindow host;
    rg_button1 button;
    EventRecorder recorder;
    button.Clicked.Bind(&EventRecorder::WithText<kClicked>, recorder.pointer, 7);
    ControlCreateInfo info = ChildRecord(host, 10, 10, 100, 30, 101);
    ASSERT_EQ(button.CreateNative(info), 1);
    const HWND hwnd = button.GetWindowHandle();

    SendMessageW(hwnd, BM_CLICK, 0, 0);
    PumpMessagesUntilIdle();
    EXPECT_EQ(recorder.Count(kClicked), 0) << "no listener yet";

    button.AttachListener();
    EXPECT_EQ(button.IsListenerAttached(), 1);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    PumpMessagesUntilIdle();
    ASSERT_EQ(recorder.Count(kClicked), 1);
    EXPECT_EQ(recorder.log[0].component, &button);
    EXPECT_EQ(recorder.log[0].tag, 7);

    // A copy shares the window; detaching the copy leaves the original's listener.
    rg_button1 copy(button);
    copy.DetachListener();
    EXPECT_EQ(button.IsListenerAttached(), 1);

    button.DetachListener();
    EXPECT_EQ(button.IsListenerAttached(), 0);
    SendMessageW(hwnd, BM_CLICK, 0, 0);
    PumpMessagesUntilIdle();
    EXPECT_EQ(recorder.Count(kClicked), 1) << "detached";
}

TEST(Button, SpaceAndMouseEachRaiseOneClick) {
    HostWindow host;
    rg_button1 button;
    EventRecorder recorder;
    button.Clicked.Bind(&EventRecorder::WithText<kClicked>, recorder.pointer, 0);
    ControlCreateInfo info = ChildRecord(host, 10, 10, 100, 30, 101);
    ASSERT_EQ(button.CreateNative(info), 1);
    button.AttachListener();
    const HWND hwnd = button.GetWindowHandle();

    struct Press {
        const char* how;
        UINT down, up;
        WPARAM downWParam, upWParam;
        LPARAM downLParam, upLParam;
    };
    const Press presses[] = {
        {"Space", WM_KEYDOWN, WM_KEYUP, VK_SPACE, VK_SPACE, 0x00390001,
         static_cast<LPARAM>(0xC0390001)},
        {"left button", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, 0, MAKELPARAM(20, 10),
         MAKELPARAM(20, 10)},
    };
    int expected = 0;
    for (const Press& press : presses) {
        SetFocus(hwnd);
        PostMessageW(hwnd, press.down, press.downWParam, press.downLParam);
        PostMessageW(hwnd, press.up, press.upWParam, press.upLParam);
        PumpMessagesUntilIdle();
        ++expected;
        EXPECT_EQ(recorder.Count(kClicked), expected) << press.how;
    }
    // Released outside the button: no click.
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    PumpMessagesUntilIdle();
    EXPECT_EQ(recorder.Count(kClicked), expected) << "released outside";
}

TEST(Button, ColourRequestsAnswerTheColoursAndTheBrush) {
    HostWindow host;
    rg_button1 button;
    rg_FenZuKuang2 group;
    ControlCreateInfo buttonInfo = ChildRecord(host, 10, 10, 100, 30, 101);
    ControlCreateInfo groupInfo = ChildRecord(host, 10, 60, 200, 100, 102);
    ASSERT_EQ(button.CreateNative(buttonInfo), 1);
    ASSERT_EQ(group.CreateNative(groupInfo), 1);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    struct Case {
        bool groupBox;
        UINT request;
        uint32_t textColour, backColour;
        COLORREF text, back;
    };
    const Case cases[] = {
        {false, WM_CTLCOLORBTN, 0, 0xFF000000, 0, face},
        {false, WM_CTLCOLORBTN, 0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00},
        {false, WM_CTLCOLORSTATIC, 0x123456, 0xFF000000, 0x123456, face},
        {true, WM_CTLCOLORSTATIC, 0xFF0000, 0xFF000000, 0xFF0000, face},
        {true, WM_CTLCOLORSTATIC, 0x0000FF, 0xC0C0C0, 0x0000FF, 0xC0C0C0},
        {true, WM_CTLCOLORBTN, 0xFF000000, 0x010203, GetSysColor(COLOR_BTNTEXT), 0x010203},
    };
    Canvas canvas(4, 4, 0);
    for (const Case& c : cases) {
        CVWnd_Button* wnd = c.groupBox ? group.GetButtonWindow() : button.GetButtonWindow();
        if (c.groupBox) {
            group.SetTextColor(c.textColour);
            group.SetBackColor(c.backColour);
        } else {
            button.SetTextColor(c.textColour);
            button.SetBackColor(c.backColour);
        }
        const HWND control = wnd->GetSafeHwnd();
        const LRESULT brush =
            SendMessageW(host.GetSafeHwnd(), c.request, reinterpret_cast<WPARAM>(canvas.Dc()),
                         reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), wnd->GetBackgroundBrush());
        EXPECT_EQ(GetTextColor(canvas.Dc()), c.text) << c.textColour;
        EXPECT_EQ(GetBkColor(canvas.Dc()), c.back) << c.backColour;
    }
    // The brush stays the button face whatever BackColor says.
    LOGBRUSH description{};
    ASSERT_NE(GetObjectW(button.GetButtonWindow()->GetBackgroundBrush(), sizeof(description),
                         &description),
              0);
    EXPECT_EQ(description.lbColor, face);
}

TEST(Button, EveryButtonButThePlainPushButtonErasesWithItsBrush) {
    HostWindow host;
    struct Case {
        uint32_t type;
        bool filled;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, false},     {BS_DEFPUSHBUTTON, true}, {BS_CHECKBOX, true},
        {BS_AUTORADIOBUTTON, true}, {BS_GROUPBOX, true},      {BS_OWNERDRAW, true},
        {BS_AUTO3STATE, true},
    };
    const COLORREF sentinel = RGB(1, 2, 3);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const Case& c : cases) {
        rg_button1 button;
        ReplaceStyleBits(button, 0xF, c.type);
        ControlCreateInfo info = ChildRecord(host, 10, 10, 40, 20, 101);
        ASSERT_EQ(button.CreateNative(info), 1);
        Canvas canvas(40, 20, sentinel);
        SendMessageW(button.GetWindowHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()),
                     0);
        EXPECT_EQ(canvas.At(20, 10), c.filled ? face : sentinel) << "type " << c.type;
    }
}

TEST(GroupBox, CaptionAlignmentAndColourReachTheWindow) {
    HostWindow host;
    rg_FenZuKuang2 group;
    group.SetControlText(CWString(u"Caption text"));
    group.SetCaptionAlignment(0x300);
    group.SetTextColor(0x0000FF);
    EXPECT_EQ(group.GetHolder()->Style & 0x300, 0x300u) << "stored before creation";
    ControlCreateInfo info = ChildRecord(host, 10, 10, 300, 120, 101);
    ASSERT_EQ(group.CreateNative(info), 1);
    const HWND hwnd = group.GetWindowHandle();
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
    EXPECT_EQ(group.GetCreationWidth(), 300);

    struct Case {
        uint32_t alignment;
    };
    const Case cases[] = {{0x300}, {0x100}, {0x200}, {0x300}};
    for (const Case& c : cases) {
        group.SetCaptionAlignment(c.alignment);
        EXPECT_EQ(static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & 0x300, c.alignment);
        EXPECT_EQ(group.GetHolder()->Style & 0x300, c.alignment);
        RECT update{};
        EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE)) << "redrawn";
        PumpMessagesUntilIdle();
    }

    // The caption is drawn in the text colour: red, then blue.
    Canvas canvas(300, 120, RGB(255, 255, 255));
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_GT(canvas.CountDominant(0), 0) << "red caption";
    EXPECT_EQ(canvas.CountDominant(2), 0);
    group.SetTextColor(0xFF0000);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    canvas.Fill(RGB(255, 255, 255));
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_GT(canvas.CountDominant(2), 0) << "blue caption";
    EXPECT_EQ(canvas.CountDominant(0), 0);
}

TEST(GroupBox, ChildrenLiveInsideAndItsClickRaisesNothing) {
    HostWindow host;
    rg_FenZuKuang2 group;
    ControlCreateInfo info = ChildRecord(host, 10, 10, 300, 120, 101);
    ASSERT_EQ(group.CreateNative(info), 1);
    group.AttachListener();
    EXPECT_EQ(group.IsListenerAttached(), 1);

    // A button inside the group box reports its clicks through the group box's window.
    rg_button1 button;
    EventRecorder recorder;
    button.Clicked.Bind(&EventRecorder::WithText<kClicked>, recorder.pointer, 0);
    ControlCreateInfo inner = ChildRecord(*group.GetNativeWindow(), 20, 30, 80, 30, 102);
    ASSERT_EQ(button.CreateNative(inner), 1);
    button.AttachListener();
    EXPECT_EQ(GetParent(button.GetWindowHandle()), group.GetWindowHandle());
    SendMessageW(button.GetWindowHandle(), BM_CLICK, 0, 0);
    PumpMessagesUntilIdle();
    EXPECT_EQ(recorder.Count(kClicked), 1);

    // A click notification of the group box itself is answered and raises nothing.
    EXPECT_EQ(SendMessageW(host.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                           reinterpret_cast<LPARAM>(group.GetWindowHandle())),
              0);
    EXPECT_EQ(recorder.Count(kClicked), 1);
}

// While a box is open its owner is disabled, so no user can click there: a
// click the box's own loop dispatches (posted to the button, or sent as its
// notification by another program) raises nothing and opens no box inside
// the box. And however a second box is asked for meanwhile, none is shown.
struct BoxSession {
    rg_button1* button = nullptr;
    int clicks = 0;
    int boxesOpen = 0;
    int mostBoxesOpen = 0;
    bool forged = false;
    int32_t secondBox = -1;
};
BoxSession g_boxSession;

int32_t OpenBox(CTarnObject*, CTarnObject* component, int32_t) {
    BoxSession& session = g_boxSession;
    ++session.clicks;
    session.mostBoxesOpen = std::max(session.mostBoxesOpen, ++session.boxesOpen);
    static_cast<CTarnWinControl*>(component)->ShowMessageBox(CWString(u"missing"),
                                                             CWString(u"one box"));
    --session.boxesOpen;
    return 0;
}

TEST(Button, NoClickIsTakenWhileItsWindowIsDisabledAndOneBoxOpensAtATime) {
    HostWindow host;
    rg_button1 button;
    EventRecorder recorder;
    button.Clicked.Bind(&OpenBox, recorder.pointer, 0);
    ControlCreateInfo info = ChildRecord(host, 10, 10, 100, 30, 101);
    ASSERT_EQ(button.CreateNative(info), 1);
    button.AttachListener();
    g_boxSession = BoxSession{&button};

    // Inside the box's loop: a forged notification and a second box, then OK.
    // Every box found is closed, so that a box inside a box ends the test too.
    {
        test_support::MessageBoxCloser closer({L"second box", L"one box"}, 5000, [](HWND) {
            if (!g_boxSession.forged) {
                g_boxSession.forged = true;
                const HWND hwnd = g_boxSession.button->GetWindowHandle();
                SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd));
                g_boxSession.secondBox = g_boxSession.button->ShowMessageBox(
                    CWString(u"second"), CWString(u"second box"));
            }
            return true;
        });
        for (int i = 0; i < 3; ++i) {
            PostMessageW(button.GetWindowHandle(), BM_CLICK, 0, 0);
        }
        EXPECT_TRUE(test_support::WaitUntil(
            [] { return g_boxSession.forged && g_boxSession.boxesOpen == 0; }, 6000));
        EXPECT_EQ(closer.Closed(), 1) << "one box, closed through its button";
    }
    PumpMessagesUntilIdle();
    EXPECT_EQ(g_boxSession.clicks, 1);
    EXPECT_EQ(g_boxSession.mostBoxesOpen, 1);
    EXPECT_EQ(g_boxSession.secondBox, 0) << "not shown";
    EXPECT_EQ(FindWindowW(L"#32770", L"one box"), nullptr);

    // With the box gone the button takes clicks again.
    button.Clicked.Bind(&EventRecorder::WithText<kClicked>, recorder.pointer, 0);
    SendMessageW(host.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button.GetWindowHandle()));
    EXPECT_EQ(recorder.Count(kClicked), 1);
}

} // namespace
