#include "native/TransparentRefresh.h"

#include "tests/native/ContainerTestWindows.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenPixels.h"

#include <gtest/gtest.h>

namespace {

using test_support::ScreenPixel;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

constexpr COLORREF kBlue = RGB(0, 0, 255);

// A window that draws nothing shows what was on the screen; moved from the
// red half of its parent to the green half, it must show green, not the red
// it was showing before, and a blue sibling below it must stay blue. Without
// the refresh the moved bits stay red: that is what this check can catch.
TEST(TransparentRefresh, AMovedSeeThroughWindowShowsWhatLiesUnderItNow) {
    for (bool refresh : {false, true}) {
        SCOPED_TRACE(refresh ? "with the refresh" : "without the refresh");
        container_test::TwoColourWnd parent(kRed, kGreen);
        ASSERT_TRUE(parent.CreateTopLevel(100, 100, 200, 100));
        container_test::TwoColourWnd sibling(kBlue, kBlue);
        ASSERT_TRUE(sibling.CreateChild(parent, RECT{170, 40, 190, 90}));
        container_test::SeeThroughWnd child;
        ASSERT_TRUE(child.CreateChild(parent, RECT{10, 10, 60, 60}));
        test_support::PumpMessagesUntilIdle();
        ASSERT_EQ(ScreenPixel(parent.GetSafeHwnd(), 35, 35), kRed);

        child.SetWindowPos(HWND_TOP, 130, 10, 0, 0, SWP_NOSIZE);
        if (refresh) {
            RefreshUnderTransparentWindow(child.GetSafeHwnd());
        }
        test_support::PumpMessagesUntilIdle();
        EXPECT_EQ(ScreenPixel(parent.GetSafeHwnd(), 155, 35), refresh ? kGreen : kRed);
        if (refresh) {
            EXPECT_EQ(ScreenPixel(parent.GetSafeHwnd(), 175, 50), kBlue);
            EXPECT_EQ(ScreenPixel(parent.GetSafeHwnd(), 175, 30), kGreen);
            EXPECT_EQ(ScreenPixel(parent.GetSafeHwnd(), 20, 50), kRed) << "the old place";
        }
    }
}

} // namespace
