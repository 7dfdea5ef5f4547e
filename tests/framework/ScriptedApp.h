// An application object for the framework tests whose hooks run test code and log what happened.
#pragma once

#include "framework/WinApp.h"
#include "tests/support/LoopWatchdog.h"

#include <functional>
#include <string>
#include <vector>

namespace framework_test {

// An application whose InitInstance and OnIdle run the given functions (the
// base behaviour when none is given), counting the framework's calls. Its
// loop runs under the shared loop watchdog from construction on, so a test
// whose loop would never end fails instead of hanging. It stays apart from
// the runtime's scripted application because the framework tests link no
// layer above the framework.
class ScriptedApp : public CWinAppEx {
public:
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
    test_support::LoopWatchdog m_watchdog;
};

} // namespace framework_test
