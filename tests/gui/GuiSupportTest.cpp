#include "tests/support/GuiTestSupport.h"

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

} // namespace
