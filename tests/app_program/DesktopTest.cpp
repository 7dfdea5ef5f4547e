// The converter's main window as the Windows desktop shows it, seen from
// another process: the group captions in the design's colours under visual
// styles.
#include "tests/app_program/MainWindowPrograms.h"
#include "tests/support/ScreenPixels.h"

#include <gtest/gtest.h>

namespace {

using main_window_test::StartedWindow;
using test_support::ScreenArea;

// The themed group box ignores the colour reflection's text colour; the
// tool draws the caption itself. (The bare program leaves the captions to
// the theme.)
TEST(ToolOnTheDesktop, GroupCaptionsAreBlueAndRedAndCentredUnderVisualStyles) {
    StartedWindow window(L"" QORVATH_QORVATH);
    ASSERT_NE(window.form(), nullptr);
    struct Case {
        int id;
        bool (*ink)(COLORREF);
        bool (*otherInk)(COLORREF);
    };
    const Case cases[] = {{101, test_support::IsBlueInk, test_support::IsRedInk},
                          {111, test_support::IsRedInk, test_support::IsBlueInk}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const HWND group = window.Control(c.id);
        ASSERT_NE(group, nullptr);
        RECT client{};
        GetClientRect(group, &client);
        // The caption's band, above the labels at y 38 and 45.
        const ScreenArea band(group, RECT{0, 0, client.right, 24});
        const ScreenArea::Matches ink = band.Find(c.ink);
        EXPECT_GT(ink.count, 40) << "the caption is drawn in the design's colour";
        EXPECT_EQ(band.Find(c.otherInk).count, 0);
        EXPECT_NEAR((ink.bounds.left + ink.bounds.right) / 2, client.right / 2, 3)
            << "the caption stays centred";
    }
}

} // namespace
