// An application object for the framework tests whose hooks run test code and log what happened.
#pragma once

#include "framework/WinApp.h"

#include <functional>
#include <string>
#include <vector>

namespace framework_test {

// An application whose InitInstance and OnIdle run the given functions (the
// base behaviour when none is given), counting the framework's calls. A
// watchdog posts the quit message with kWatchdogExitCode after a few
// seconds, so a test whose loop would never end fails instead of hanging.
class ScriptedApp : public CWinAppEx {
public:
    static constexpr int kWatchdogExitCode = 99;

    ScriptedApp();
    ~ScriptedApp() override;

    std::function<BOOL()> init;
    std::function<BOOL(LONG)> idle;
    std::function<BOOL(MSG*)> preTranslate;
    // "idle N" for each OnIdle call, in order.
    std::vector<std::string> log;
    int runCalls = 0;
    int exitCalls = 0;

    BOOL InitInstance() override;
    BOOL OnIdle(LONG count) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    int Run() override;
    int ExitInstance() override;

private:
    UINT_PTR m_watchdog;
};

// Removes every message left in this thread's queue, the quit message included.
void DrainQueue();

} // namespace framework_test
