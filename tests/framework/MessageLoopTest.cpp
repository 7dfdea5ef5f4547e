#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "tests/framework/ScriptedApp.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using framework_test::CreateTopLevel;
using framework_test::ScriptedApp;
using test_support::DrainQueue;

constexpr int kEndCode = 12;

// A window that writes what reaches it into a shared log.
class LoggingWnd : public CWnd {
public:
    explicit LoggingWnd(std::vector<std::string>& log) : m_log(log) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP && message < WM_APP + 10) {
            m_log.push_back("got app+" + std::to_string(message - WM_APP));
        } else if (message == WM_KEYDOWN) {
            m_log.push_back(std::string("got key ") + static_cast<char>(wParam));
        } else if (message == WM_CHAR) {
            m_log.push_back(std::string("got char ") + static_cast<char>(wParam));
        } else if (message == WM_ENTERIDLE) {
            m_log.push_back("enter idle");
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::string>& m_log;
};

// What a case's hooks can reach: the window its messages go to, a way to
// end the run under test, and how many idle phases have begun.
struct Probe {
    HWND target = nullptr;
    std::function<void()> end;
    int rounds = 0;
    std::vector<std::string>* log = nullptr;

    void Post(UINT message, WPARAM wParam = 0) const { PostMessageW(target, message, wParam, 0); }
};

struct HookCase {
    const char* name;
    std::function<BOOL(Probe&, LONG)> idle;
    std::function<BOOL(Probe&, MSG*)> preTranslate; // may be null: nothing consumed
    // Entries that start with "application: " or "modal: " are expected in
    // that run only.
    std::vector<std::string> expected;
};

enum class Loop { kApplication, kModal };

std::vector<std::string> ExpectedIn(const std::vector<std::string>& expected, Loop loop) {
    const std::string mine = loop == Loop::kApplication ? "application: " : "modal: ";
    const std::string other = loop == Loop::kApplication ? "modal: " : "application: ";
    std::vector<std::string> result;
    for (const std::string& entry : expected) {
        if (entry.rfind(other, 0) == 0) {
            continue;
        }
        result.push_back(entry.rfind(mine, 0) == 0 ? entry.substr(mine.size()) : entry);
    }
    return result;
}

CDialogTemplate PlainDialog() {
    return CDialogTemplate(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 10, 10, 120, 60, L"loop");
}

// Runs the case through CWinApp::Run or CDialog::DoModal with the same
// hooks; answers the log, and the run's result in *result.
std::vector<std::string> RunCase(const HookCase& c, Loop loop, INT_PTR* result) {
    DrainQueue();
    ScriptedApp app;
    LoggingWnd target(app.log);
    LoggingWnd owner(app.log);
    EXPECT_TRUE(CreateTopLevel(target) && CreateTopLevel(owner)) << c.name;
    CDialog dialog(PlainDialog(), owner.GetSafeHwnd());
    Probe probe;
    probe.target = target.GetSafeHwnd();
    probe.log = &app.log;
    probe.end = [&] {
        if (loop == Loop::kApplication) {
            PostQuitMessage(kEndCode);
        } else {
            dialog.EndDialog(kEndCode);
        }
    };
    app.idle = [&](LONG count) {
        if (count == 0) {
            ++probe.rounds;
        }
        return c.idle(probe, count);
    };
    app.preTranslate = [&](MSG* msg) {
        if (!c.preTranslate || !c.preTranslate(probe, msg)) {
            return FALSE;
        }
        app.log.push_back("consumed " + std::to_string(msg->message) + " " +
                          std::to_string(msg->wParam));
        return TRUE;
    };
    if (loop == Loop::kApplication) {
        *result = RunApplication(GetModuleHandleW(nullptr), SW_SHOW);
    } else {
        *result = dialog.DoModal();
    }
    // What the run left in the queue for an outer loop.
    MSG msg;
    while (PeekMessageW(&msg, probe.target, WM_APP, WM_APP + 9, PM_REMOVE)) {
        app.log.push_back("left app+" + std::to_string(msg.message - WM_APP));
    }
    app.idle = nullptr;
    app.preTranslate = nullptr;
    return app.log;
}

TEST(MessageLoop, TheApplicationLoopAndTheModalLoopObeyTheirHooksAlike) {
    const std::string consumedKeyA =
        "consumed " + std::to_string(WM_KEYDOWN) + " " + std::to_string('A');
    const HookCase cases[] = {
        {"idle work counts while it is wanted, restarts after an input message and ends at once",
         [](Probe& p, LONG count) {
             if (count < 2) {
                 return TRUE;
             }
             if (p.rounds == 1) {
                 p.Post(WM_APP);
                 return FALSE;
             }
             p.end(); // wanting more idle work does not keep the run alive
             return TRUE;
         },
         nullptr,
         {"modal: enter idle", "idle 0", "idle 1", "idle 2", "got app+0", "modal: enter idle",
          "idle 0", "idle 1", "idle 2"}},
        {"a consumed message is neither translated nor dispatched, and restarts idle work",
         [](Probe& p, LONG) {
             if (p.rounds == 1) {
                 p.Post(WM_KEYDOWN, 'A');
                 p.Post(WM_KEYDOWN, 'B');
             } else {
                 p.end();
             }
             return FALSE;
         },
         [](Probe&, MSG* msg) { return msg->message == WM_KEYDOWN && msg->wParam == 'A'; },
         {"modal: enter idle", "idle 0", consumedKeyA, "got key B", "got char b",
          "modal: enter idle", "idle 0"}},
        {"the modal run ends after the message that ended it; the quit message waits for the "
         "queue",
         [](Probe& p, LONG) {
             if (p.rounds == 1) {
                 p.Post(WM_APP + 1);
                 p.Post(WM_APP + 2);
             }
             return FALSE;
         },
         [](Probe& p, MSG* msg) {
             if (msg->message == WM_APP + 1) {
                 p.end();
             }
             return FALSE;
         },
         {"modal: enter idle", "idle 0", "got app+1", "application: got app+2",
          "modal: left app+2"}},
        {"an Escape key for another window is translated and dispatched there, behind what was "
         "queued, and leaves the modal run open",
         [](Probe& p, LONG) {
             if (p.rounds == 1) {
                 p.Post(WM_KEYDOWN, VK_ESCAPE); // not the dialog's: it stays open
                 p.Post(WM_APP + 3);
             } else {
                 p.end();
             }
             return FALSE;
         },
         nullptr,
         {"modal: enter idle", "idle 0", "got key \x1B", "got app+3", "got char \x1B",
          "modal: enter idle", "idle 0"}},
    };
    for (const HookCase& c : cases) {
        for (const Loop loop : {Loop::kApplication, Loop::kModal}) {
            const char* loopName = loop == Loop::kApplication ? "application" : "modal";
            INT_PTR result = 0;
            const std::vector<std::string> log = RunCase(c, loop, &result);
            EXPECT_EQ(log, ExpectedIn(c.expected, loop)) << c.name << " (" << loopName << ")";
            EXPECT_EQ(result, kEndCode) << c.name << " (" << loopName << ")";
        }
    }
}

// A modal run inside the application loop counts its idle work from 0, and
// the quit message that ends it ends the application loop with its code,
// with no idle work in between.
TEST(MessageLoop, AQuitMessageInAModalRunEndsTheApplicationLoopWithItsCode) {
    DrainQueue();
    ScriptedApp app;
    LoggingWnd target(app.log);
    ASSERT_TRUE(CreateTopLevel(target));
    CDialog dialog(PlainDialog(), target.GetSafeHwnd());
    bool inModalRun = false;
    INT_PTR modalResult = 0;
    app.idle = [&](LONG count) {
        if (inModalRun) {
            if (count == 1) {
                PostQuitMessage(kEndCode);
            }
            return TRUE;
        }
        if (count == 1) {
            target.PostMessage(WM_APP + 4);
        }
        return count < 1 ? TRUE : FALSE;
    };
    app.preTranslate = [&](MSG* msg) {
        if (msg->message == WM_APP + 4) {
            inModalRun = true;
            modalResult = dialog.DoModal();
            inModalRun = false;
            app.log.push_back("modal run ended");
            return TRUE;
        }
        return FALSE;
    };
    EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), kEndCode);
    EXPECT_EQ(modalResult, -1);
    const std::vector<std::string> expected = {"idle 0", "idle 1", "enter idle",
                                               "idle 0", "idle 1", "modal run ended"};
    EXPECT_EQ(app.log, expected);
    EXPECT_EQ(app.exitCalls, 1);
}

} // namespace
