#include "framework/Wnd.h"
#include "native/PrivateMessages.h"
#include "native/WindowClass.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using test_support::PumpMessagesUntilIdle;
using test_support::RunOnAnotherThread;

constexpr LPARAM kMarker = tarn_msg::kWindowMarker;
// Logs whether it is trusted. wParam 2: then has another thread send the
// same message, wParam 4: then posts it, and logs its trust once more after.
constexpr UINT kProbe = WM_APP + 7;
// Sends kProbe with wParam 1 through SendTrustedMessage.
constexpr UINT kSendTrustedProbe = WM_APP + 8;

class TrustLog : public CWnd {
public:
    std::vector<bool> trusted;

    bool Create() {
        return CreateEx(0, RegisterTarnWindowClass(), L"trust", WS_POPUP, 0, 0, 10, 10, nullptr,
                        nullptr) != FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kSendTrustedProbe) {
            return tarn_msg::SendTrustedMessage(GetSafeHwnd(), kProbe, 1);
        }
        if (message != kProbe) {
            return CWnd::WindowProc(message, wParam, lParam);
        }
        const HWND hwnd = GetSafeHwnd();
        trusted.push_back(tarn_msg::IsTrustedMessage(hwnd, message, wParam, lParam));
        if (trusted.size() == 1 && (wParam == 2 || wParam == 4)) {
            // The same values once more, from elsewhere, while ours is handled.
            if (wParam == 2) {
                RunOnAnotherThread([=] { ::SendMessageW(hwnd, message, wParam, lParam); });
            } else {
                ::PostMessageW(hwnd, message, wParam, lParam);
                PumpMessagesUntilIdle();
            }
            trusted.push_back(tarn_msg::IsTrustedMessage(hwnd, message, wParam, lParam));
        }
        return kMarker;
    }
};

// Only the one message that SendTrustedMessage itself sent on this thread
// counts as trusted: never a copy with the same values that was posted or
// sent from another thread, not even while ours is being handled; and ours
// does count inside the handling of another thread's message.
TEST(TrustedMessage, OnlyOurOwnSendOnThisThreadIsTrusted) {
    TrustLog window;
    ASSERT_TRUE(window.Create());
    const HWND hwnd = window.GetSafeHwnd();
    const struct {
        const char* what;
        std::function<void()> deliver;
        std::vector<bool> trusted;
    } cases[] = {
        {"our own send", [&] { tarn_msg::SendTrustedMessage(hwnd, kProbe, 1); }, {true}},
        {"a plain send", [&] { SendMessageW(hwnd, kProbe, 1, kMarker); }, {false}},
        {"posted", [&] { PostMessageW(hwnd, kProbe, 1, kMarker); }, {false}},
        {"sent by another thread",
         [&] { RunOnAnotherThread([&] { SendMessageW(hwnd, kProbe, 1, kMarker); }); },
         {false}},
        {"our own send inside another thread's message",
         [&] { RunOnAnotherThread([&] { SendMessageW(hwnd, kSendTrustedProbe, 0, 0); }); },
         {true}},
        {"another thread's copy sent while ours is handled",
         [&] { tarn_msg::SendTrustedMessage(hwnd, kProbe, 2); },
         {true, false, true}},
        {"a posted copy dispatched while ours is handled",
         [&] { tarn_msg::SendTrustedMessage(hwnd, kProbe, 4); },
         {true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window.trusted.clear();
        c.deliver();
        PumpMessagesUntilIdle();
        EXPECT_EQ(window.trusted, c.trusted);
        EXPECT_EQ(tarn_msg::TrustedSendScope::Current(), nullptr);
    }
}

// However the scope of a trusted send is left, an exception included, the
// thread's record is the one around it again: no later message passes for
// the one that was being sent.
TEST(TrustedMessage, AScopeLeftByAnExceptionLeavesNoRecordBehind) {
    TrustLog window;
    ASSERT_TRUE(window.Create());
    const HWND hwnd = window.GetSafeHwnd();
    try {
        const tarn_msg::TrustedSendScope outer(hwnd, kProbe, 3, kMarker);
        try {
            const tarn_msg::TrustedSendScope inner(hwnd, kProbe, 5, kMarker);
            throw 1;
        } catch (int) {
        }
        EXPECT_EQ(tarn_msg::TrustedSendScope::Current(), &outer);
        throw 2;
    } catch (int) {
    }
    EXPECT_EQ(tarn_msg::TrustedSendScope::Current(), nullptr);
    SendMessageW(hwnd, kProbe, 3, kMarker); // the next dispatch, the values of the dead scope
    EXPECT_EQ(window.trusted, std::vector<bool>{false});
}

// A window of another thread is never sent anything: it could not tell our
// mark, and it might never answer.
TEST(TrustedMessage, AWindowOfAnotherThreadIsSentNothing) {
    test_support::OtherThreadWindow foreign(kProbe, kMarker);
    EXPECT_EQ(tarn_msg::SendTrustedMessage(foreign.hwnd(), kProbe, 1), 0);
    EXPECT_EQ(foreign.Count(), 0);
}

} // namespace
