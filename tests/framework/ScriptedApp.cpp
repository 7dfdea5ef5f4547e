#include "tests/framework/ScriptedApp.h"

#include "tests/support/GuiTestSupport.h"

namespace framework_test {

ScriptedApp::ScriptedApp() : CWinAppEx(TRUE) {}

ScriptedApp::~ScriptedApp() {
    m_watchdog.Stop();
    test_support::DrainQueue();
}

BOOL ScriptedApp::InitInstance() {
    return init ? init() : CWinAppEx::InitInstance();
}

BOOL ScriptedApp::OnIdle(LONG count) {
    log.push_back("idle " + std::to_string(count));
    return idle ? idle(count) : CWinAppEx::OnIdle(count);
}

BOOL ScriptedApp::PreTranslateMessage(MSG* msg) {
    if (preTranslate && preTranslate(msg)) {
        return TRUE;
    }
    return CWinAppEx::PreTranslateMessage(msg);
}

int ScriptedApp::Run() {
    ++runCalls;
    return CWinAppEx::Run();
}

int ScriptedApp::ExitInstance() {
    ++exitCalls;
    return CWinAppEx::ExitInstance();
}

} // namespace framework_test
