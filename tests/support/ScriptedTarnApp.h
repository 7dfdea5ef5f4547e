// A runtime application object whose message loop runs a test's steps one by one while idle.
#pragma once

#include "native/TarnMfcAppBase.h"
#include "tests/support/LoopWatchdog.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace test_support {

// Runs the real application loop (RunApplication: InitInstance, then the
// framework's message loop with this object's pre-translation) and does one
// step each time the queue has run empty, so every step sees the effects of
// the messages the step before it posted. Modal loops inside a step keep
// taking steps, since they run the application's idle work too. After the
// last step the loop ends (quit message 0). From InitInstance on the loop
// runs under the shared loop watchdog, so a loop that would hang fails the
// test and ends with LoopWatchdog::kExitCode. It stays apart from the framework's
// scripted application because it runs the runtime's application object,
// which the framework tests cannot link.
class ScriptedTarnApp : public CTarnMfcAppBase {
public:
    std::function<BOOL()> init;
    std::vector<std::function<void()>> steps;
    // Messages consumed by PreTranslateMessage, in order.
    std::vector<MSG> consumed;

    // Runs the loop; returns the exit code.
    int RunScript() { return RunApplication(GetModuleHandleW(nullptr), SW_SHOWNORMAL); }

    BOOL InitInstance() override {
        m_watchdog.emplace();
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
        m_watchdog.reset();
        return CTarnMfcAppBase::ExitInstance();
    }

    // How many steps have run.
    size_t StepsRun() const { return m_next; }

private:
    std::optional<LoopWatchdog> m_watchdog;
    size_t m_next = 0;
    bool m_quitPosted = false;
};

} // namespace test_support
