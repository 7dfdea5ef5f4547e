#include "tests/support/GuiTestSupport.h"
#include "tests/support/LoopWatchdog.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

// A message box raised on another thread, as a modal loop would raise it, is
// found by its Chinese caption, read, captured on screen and dismissed.
TEST(GuiTestSupport, FindsReadsAndDismissesAMessageBox) {
    int answer = 0;
    std::thread raiser([&answer] {
        answer = MessageBoxW(nullptr, L"\u8BF7\u8F93\u5165", L"\u9519\u8BEF\u63D0\u793A", MB_OK);
    });
    HWND box = test_support::FindMessageBox(L"\u9519\u8BEF\u63D0\u793A", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(test_support::MessageBoxText(box), L"\u8BF7\u8F93\u5165");
    EXPECT_TRUE(test_support::CaptureScreenToPng(L"message-box.png"));
    EXPECT_TRUE(test_support::DismissMessageBox(box));
    raiser.join();
    EXPECT_EQ(answer, IDOK);
}

TEST(GuiTestSupport, PumpDispatchesPostedMessagesAndKeepsQuit) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    PostMessageW(window, WM_NULL, 0, 0);
    EXPECT_GE(test_support::PumpMessagesUntilIdle(), 2);
    PostQuitMessage(3);
    test_support::PumpMessagesUntilIdle();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(window);
}

// A loop that would never end fails the test at the watchdog's deadline and
// ends with its code; a stopped watchdog leaves the next loop alone, and a
// second one on the thread keeps its own deadline.
TEST(LoopWatchdog, ALoopPastTheDeadlineFailsAndEndsAndAStoppedOneStaysQuiet) {
    static WPARAM exitCode;
    static bool fired;
    EXPECT_NONFATAL_FAILURE(
        {
            test_support::LoopWatchdog stopped(30);
            stopped.Stop();
            test_support::LoopWatchdog watchdog(80);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) { // nothing here ever ends it
                DispatchMessageW(&msg);
            }
            exitCode = msg.wParam;
            fired = watchdog.Fired() && !stopped.Fired();
        },
        "still running after 80 ms");
    EXPECT_EQ(exitCode, static_cast<WPARAM>(test_support::LoopWatchdog::kExitCode));
    EXPECT_TRUE(fired);

    test_support::LoopWatchdog quiet(30);
    quiet.Stop();
    const DWORD start = GetTickCount();
    EXPECT_FALSE(test_support::WaitUntil([] { return false; }, 150));
    EXPECT_GE(GetTickCount() - start, 150u);
    int code = -1;
    EXPECT_FALSE(test_support::TakeQuitMessage(&code)) << "a stopped watchdog posts nothing";
    EXPECT_FALSE(quiet.Fired());
}

} // namespace
