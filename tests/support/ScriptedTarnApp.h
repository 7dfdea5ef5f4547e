// A runtime application object whose message loop runs a test's steps one by one while idle.
#pragma once

#include "native/TarnMfcAppBase.h"

#include <functional>
#include <utility>
#include <vector>

namespace test_support {

// Runs the real application loop (RunApplication: InitInstance, then the
// framework's message loop with this object's pre-translation) and does one
// step each time the queue has run empty, so every step sees the effects of
// the messages the step before it posted. Modal loops inside a step keep
// taking steps, since they run the application's idle work too. After the
// last step the loop ends (quit message 0). A watchdog ends a loop that
// would hang with kWatchdogExitCode.
class ScriptedTarnApp : public CTarnMfcAppBase {
public:
    static constexpr int kWatchdogExitCode = 77;

    std::function<BOOL()> init;
    std::vector<std::function<void()>> steps;
    // Messages consumed by PreTranslateMessage, in order.
    std::vector<MSG> consumed;

    // Runs the loop; returns the exit code.
    int RunScript() { return RunApplication(GetModuleHandleW(nullptr), SW_SHOWNORMAL); }

    BOOL InitInstance() override {
        m_watchdog = SetTimer(nullptr, 0, 15000, &Watchdog);
        return init ? init() : TRUE;
    }

    BOOL OnIdle(LONG count) override {
        CTarnMfcAppBase::OnIdle(count);
        if (m_next < steps.size()) {
            // Steps may add further steps; take a copy before running it.
            std::function<void()> step = steps[m_next++];
            step();
            return TRUE;
        }
        if (!m_quitPosted) {
            m_quitPosted = true;
            PostQuitMessage(0);
        }
        return FALSE;
    }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (CTarnMfcAppBase::PreTranslateMessage(msg)) {
            consumed.push_back(*msg);
            return TRUE;
        }
        return FALSE;
    }

    int ExitInstance() override {
        if (m_watchdog != 0) {
            KillTimer(nullptr, m_watchdog);
            m_watchdog = 0;
        }
        return CTarnMfcAppBase::ExitInstance();
    }

    // How many steps have run.
    size_t StepsRun() const { return m_next; }

private:
    static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
        PostQuitMessage(kWatchdogExitCode);
    }

    UINT_PTR m_watchdog = 0;
    size_t m_next = 0;
    bool m_quitPosted = false;
};

} // namespace test_support
