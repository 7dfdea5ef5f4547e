#include "framework/MessageGuard.h"
#include "framework/Wnd.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace {

using framework_test::CreateChild;
using framework_test::CreateTopLevel;
using test_support::PumpMessagesUntilIdle;
using test_support::RunOnAnotherThread;

// A control that records the notifications reflected to its object.
class ReflectedControl : public CWnd {
public:
    std::vector<UINT> reflected; // WM_COMMAND, or the WM_NOTIFY code

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            reflected.push_back(WM_COMMAND);
            return 0;
        }
        if (message == WM_NOTIFY) {
            reflected.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
            return 0;
        }
        return std::nullopt;
    }
};

// A top-level window with one control: it records what reaches its
// procedure, and on WM_APP (sent by whoever) sends the notification named
// by lParam itself, as a control of this thread would.
class Host : public CWnd {
public:
    ReflectedControl control;
    std::vector<UINT> reached;

    ~Host() override { DestroyWindow(); } // while the members still live
    bool Create() { return CreateTopLevel(*this) && CreateChild(control, L"STATIC", *this, 5); }
    NMHDR Header(UINT code) const { return {control.GetSafeHwnd(), 5, code}; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        reached.push_back(message);
        if (message == WM_APP) {
            return ::SendMessageW(GetSafeHwnd(), WM_NOTIFY, 5, lParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

int Count(const std::vector<UINT>& seen, UINT message) {
    int count = 0;
    for (UINT each : seen) {
        count += each == message ? 1 : 0;
    }
    return count;
}

TEST(MessageGuard, NamesWhatNobodyPostsLegitimately) {
    Host host;
    ASSERT_TRUE(host.Create());
    const LPARAM control = reinterpret_cast<LPARAM>(host.control.GetSafeHwnd());
    const struct {
        UINT message;
        LPARAM lParam;
        bool neverPosted;
    } cases[] = {
        {WM_NOTIFY, 0x10, true},      {WM_NOTIFY, 0, true},
        {WM_COMMAND, control, true},  {WM_COMMAND, 0, false}, // menus and accelerators
        {WM_COMMAND, 0x12345, false},                         // names no window
        {WM_KEYDOWN, control, false}, {WM_NULL, 0, false},
    };
    for (const auto& c : cases) {
        MSG msg{host.GetSafeHwnd(), c.message, 1, c.lParam};
        EXPECT_EQ(message_guard::IsNeverPosted(msg), c.neverPosted) << c.message << " " << c.lParam;
    }
}

// A WM_NOTIFY that this thread did not send never reaches the window
// procedure, whatever it points to; one this thread sends is reflected,
// also inside the handling of a message another thread sent.
TEST(MessageGuard, OnlyNotificationsThisThreadSentReachTheWindow) {
    Host host;
    ASSERT_TRUE(host.Create());
    const HWND hwnd = host.GetSafeHwnd();
    static NMHDR header;
    header = host.Header(0x1234);
    const LPARAM valid = reinterpret_cast<LPARAM>(&header);
    const struct {
        const char* what;
        std::function<void()> deliver;
        bool reflected;
    } cases[] = {
        {"posted, pointing nowhere", [&] { PostMessageW(hwnd, WM_NOTIFY, 0, 0x10); }, false},
        {"posted, pointing at a real header", [&] { PostMessageW(hwnd, WM_NOTIFY, 5, valid); },
         false},
        {"sent by another thread, pointing nowhere",
         [&] { RunOnAnotherThread([&] { SendMessageW(hwnd, WM_NOTIFY, 0, 0x10); }); }, false},
        {"sent by another thread, pointing at a real header",
         [&] { RunOnAnotherThread([&] { SendMessageW(hwnd, WM_NOTIFY, 5, valid); }); }, false},
        {"sent by this thread", [&] { SendMessageW(hwnd, WM_NOTIFY, 5, valid); }, true},
        {"sent by this thread while handling another thread's message",
         [&] { RunOnAnotherThread([&] { SendMessageW(hwnd, WM_APP, 0, valid); }); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host.reached.clear();
        host.control.reflected.clear();
        c.deliver();
        PumpMessagesUntilIdle();
        EXPECT_EQ(Count(host.reached, WM_NOTIFY), c.reflected ? 1 : 0);
        EXPECT_EQ(host.control.reflected,
                  c.reflected ? std::vector<UINT>{0x1234} : std::vector<UINT>{});
    }
}

// A posted WM_COMMAND naming a control is dropped by every message loop of
// the thread, a message box's included; menu commands (no window) and the
// notifications that controls send are not.
TEST(MessageGuard, PostedCommandsNamingAControlAreDroppedInEveryLoop) {
    Host owner;
    ASSERT_TRUE(owner.Create());
    const HWND hwnd = owner.GetSafeHwnd();
    const LPARAM control = reinterpret_cast<LPARAM>(owner.control.GetSafeHwnd());

    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), control);
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(40, 0), 0);
    PumpMessagesUntilIdle();
    EXPECT_TRUE(owner.control.reflected.empty()) << "the application's loop";
    EXPECT_EQ(Count(owner.reached, WM_COMMAND), 1) << "the menu command";

    // Posted while a message box runs its own loop, then the box is closed.
    {
        test_support::MessageBoxCloser closer({L"guard"}, 5000, [&owner](HWND) {
            PostMessageW(owner.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(5, BN_CLICKED),
                         reinterpret_cast<LPARAM>(owner.control.GetSafeHwnd()));
            PostMessageW(owner.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(41, 0), 0);
            return true;
        });
        EXPECT_EQ(MessageBoxW(hwnd, L"posted clicks", L"guard", MB_OK), IDOK);
        EXPECT_EQ(closer.Closed(), 1);
    }
    PumpMessagesUntilIdle();
    EXPECT_TRUE(owner.control.reflected.empty()) << "the message box's loop";
    EXPECT_EQ(Count(owner.reached, WM_COMMAND), 2) << "the menu command";

    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), control);
    EXPECT_EQ(owner.control.reflected, std::vector<UINT>{WM_COMMAND}) << "a sent notification";
}

// The guard is on while a thread has window objects, and off again after its last one.
TEST(MessageGuard, LivesFromTheThreadsFirstWindowObjectToItsLast) {
    std::vector<bool> installed;
    std::thread fresh([&] {
        installed.push_back(message_guard::IsInstalled());
        {
            Host first;
            Host second;
            first.Create();
            second.Create();
            installed.push_back(message_guard::IsInstalled());
            first.DestroyWindow();
            installed.push_back(message_guard::IsInstalled());
        }
        installed.push_back(message_guard::IsInstalled());
    });
    fresh.join();
    EXPECT_EQ(installed, (std::vector<bool>{false, true, true, false}));
}

} // namespace
