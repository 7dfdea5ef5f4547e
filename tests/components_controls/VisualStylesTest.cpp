// The controls as Windows 10 and 11 show them, with visual styles always on:
// group box captions in their own colours, themed buttons over their
// container's background, and system colour changes reaching the controls.
#include "tests/support/VisualStyles.h"
#include "components/Button.h"
#include "components/GroupBox.h"
#include "components/LayoutContainer.h"
#include "native/VWndButton.h"
#include "native/VWndContainer.h"
#include "tests/components_controls/ControlsTestSupport.h"
#include "tests/support/ScreenPixels.h"

#include <gtest/gtest.h>

#include <uxtheme.h>

namespace {

using namespace rg_tarn_MFCJieMian_base;
using test_support::PumpMessagesUntilIdle;
using test_support::ScreenArea;

constexpr uint32_t kSystemDefault = 0xFF000000;

// A layout container on screen with themed controls made inside it.
class ThemedContainer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(styles_.Active()) << "no activation context for the common controls 6";
        ControlCreateInfo top = controls_test::TopLevelRecord(0, 0, 480, 400);
        ASSERT_EQ(container.CreateNative(top), 1);
        SetForegroundWindow(container.GetWindowHandle());
        PumpMessagesUntilIdle();
    }

    // A group box as the converter makes its two: caption centred, 12 points.
    void MakeGroup(rg_FenZuKuang2& group, uint32_t textColor, int32_t y, int32_t id) {
        group.SetControlText(CWString(u"ABA\u5730\u5740\u8F6C\u78C1\u9053"));
        group.SetCaptionAlignment(0x300);
        group.SetFontDescription(CWString(u", 12, 0, 0, 0, 0, 0"));
        group.SetTextColor(textColor);
        ASSERT_EQ(group.CreateInParent(&container, 10, y, 400, 100, id), 1);
        ASSERT_NE(GetWindowTheme(group.GetWindowHandle()), nullptr) << "the group box is themed";
    }

    // The band of a group box's client area that holds its caption.
    static ScreenArea CaptionBand(HWND group) {
        RECT client{};
        GetClientRect(group, &client);
        return ScreenArea(group, RECT{0, 0, client.right, 24});
    }

    test_support::VisualStylesScope styles_;
    rg_ZuJianBuJuQi container;
};

TEST_F(ThemedContainer, AGroupBoxCaptionShowsItsColourCentredAndTheDefaultKeepsTheThemes) {
    rg_FenZuKuang2 blue;
    rg_FenZuKuang2 red;
    rg_FenZuKuang2 plain;
    MakeGroup(blue, 0xFF0000, 10, 101);
    MakeGroup(red, 0x0000FF, 130, 102);
    MakeGroup(plain, kSystemDefault, 250, 103);
    PumpMessagesUntilIdle();

    struct Case {
        rg_FenZuKuang2* group;
        bool (*ink)(COLORREF);
        bool (*otherInk)(COLORREF);
    };
    const Case cases[] = {{&blue, test_support::IsBlueInk, test_support::IsRedInk},
                          {&red, test_support::IsRedInk, test_support::IsBlueInk}};
    for (const Case& c : cases) {
        const ScreenArea band = CaptionBand(c.group->GetWindowHandle());
        const ScreenArea::Matches ink = band.Find(c.ink);
        SCOPED_TRACE(GetDlgCtrlID(c.group->GetWindowHandle()));
        EXPECT_GT(ink.count, 40) << "the caption is drawn in its colour";
        EXPECT_EQ(band.Find(c.otherInk).count, 0);
        const int middle = (ink.bounds.left + ink.bounds.right) / 2;
        EXPECT_NEAR(middle, band.Width() / 2, 3) << "the caption stays centred";
    }

    // The default colour leaves the caption to the theme: the same pixels as
    // the platform's own group box with the same text and font.
    const HWND platform =
        CreateWindowExW(0, L"BUTTON", L"ABA\u5730\u5740\u8F6C\u78C1\u9053",
                        WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_MULTILINE | BS_CENTER, 10, 250,
                        400, 100, container.GetWindowHandle(), nullptr, nullptr, nullptr);
    ASSERT_NE(platform, nullptr);
    SendMessageW(platform, WM_SETFONT, SendMessageW(plain.GetWindowHandle(), WM_GETFONT, 0, 0),
                 TRUE);
    const ScreenArea ours = CaptionBand(plain.GetWindowHandle());
    ShowWindow(plain.GetWindowHandle(), SW_HIDE);
    PumpMessagesUntilIdle();
    const ScreenArea theirs = CaptionBand(platform);
    int differing = 0;
    for (int y = 0; y < ours.Height(); ++y) {
        for (int x = 0; x < ours.Width(); ++x) {
            differing += ours.At(x, y) != theirs.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    DestroyWindow(platform);
}

TEST_F(ThemedContainer, AThemedButtonShowsTheContainersColourAtItsCorners) {
    constexpr COLORREF kOlive = 0x00308080;
    container.GetContainerWindow()->BackColor = kOlive;
    InvalidateRect(container.GetWindowHandle(), nullptr, TRUE);
    rg_button1 button;
    button.SetControlText(CWString(u"Go"));
    ASSERT_EQ(button.CreateInParent(&container, 40, 40, 96, 32, 101), 1);
    ASSERT_NE(GetWindowTheme(button.GetWindowHandle()), nullptr);
    PumpMessagesUntilIdle();

    // The theme's painting asks the container for what lies behind the
    // button's rounded corners (printed into the button's own context), and
    // the button's colour answer must not paint over it.
    const HWND hwnd = button.GetWindowHandle();
    const ScreenArea corners(hwnd, RECT{0, 0, 96, 32});
    const POINT points[] = {{0, 0}, {95, 0}, {0, 31}, {95, 31}};
    for (const POINT& p : points) {
        // The corner pixel is the container's colour under the edge of the
        // frame's smoothing.
        EXPECT_TRUE(test_support::SameColour(corners.At(p.x, p.y), kOlive, 24))
            << p.x << "," << p.y << ": " << std::hex << corners.At(p.x, p.y);
    }
}

// The button face changes while the tool runs (a high-contrast theme, for
// instance): a group box's brush follows, so the group box's background does.
TEST_F(ThemedContainer, AGroupBoxFollowsTheSystemColoursWhenTheyChange) {
    rg_FenZuKuang2 group;
    MakeGroup(group, 0xFF0000, 10, 101);
    PumpMessagesUntilIdle();
    const int index = COLOR_BTNFACE;
    const COLORREF original = GetSysColor(index);
    const COLORREF changed = original ^ 0x00204060;
    ASSERT_TRUE(SetSysColors(1, &index, &changed));
    PumpMessagesUntilIdle();

    LOGBRUSH brush{};
    GetObjectW(group.GetButtonWindow()->GetBackgroundBrush(), sizeof(brush), &brush);
    const COLORREF brushColour = brush.lbColor;
    RedrawWindow(group.GetWindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessagesUntilIdle();
    const COLORREF inside = test_support::ScreenPixel(group.GetWindowHandle(), 200, 60);
    ASSERT_TRUE(SetSysColors(1, &index, &original));
    PumpMessagesUntilIdle();

    EXPECT_EQ(brushColour, changed);
    EXPECT_EQ(inside, changed);
}

} // namespace
