#include "tests/framework/ScriptedApp.h"

namespace framework_test {

namespace {

void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(ScriptedApp::kWatchdogExitCode);
}

} // namespace

ScriptedApp::ScriptedApp() : CWinAppEx(TRUE), m_watchdog(SetTimer(nullptr, 0, 5000, Watchdog)) {}

ScriptedApp::~ScriptedApp() {
    KillTimer(nullptr, m_watchdog);
    DrainQueue();
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

void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            DispatchMessageW(&msg);
        }
    }
}

} // namespace framework_test
