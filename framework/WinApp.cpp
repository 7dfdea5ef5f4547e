#include "framework/WinApp.h"

#include "framework/MessageLoop.h"
#include "framework/OleSupport.h"
#include "framework/Wnd.h"

#include <ole2.h>

#include <cassert>

namespace {

CWinApp* g_app = nullptr;

// The platform's internal timer message (caret blinking and the like).
constexpr UINT kSystemTimerMessage = 0x0118;

// In-process COM servers no longer in use are unloaded at most this often.
constexpr DWORD kLibraryReleaseIntervalMs = 60000;

// The application's loop: every hook is the application's own.
class CApplicationLoop final : public CMessageLoop {
public:
    explicit CApplicationLoop(CWinApp& app) : m_app(app) {}

protected:
    bool PreTranslate(MSG* msg) override { return m_app.PreTranslateMessage(msg) != FALSE; }
    bool OnIdle(LONG count) override { return m_app.OnIdle(count) != FALSE; }
    bool IsIdleMessage(const MSG* msg) override { return m_app.IsIdleMessage(msg) != FALSE; }

private:
    CWinApp& m_app;
};

} // namespace

CWinApp::CWinApp() : m_hInstance(GetModuleHandleW(nullptr)), m_threadId(GetCurrentThreadId()) {
    assert(g_app == nullptr && "only one application object may exist");
    if (g_app == nullptr) {
        g_app = this;
    }
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    CApplicationLoop loop(*this);
    const CMessageLoop::Result result = loop.Run();
    m_exitCode = result.end == CMessageLoop::End::kQuit ? result.quitCode : -1;
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    return CWnd::WalkPreTranslateTree(msg);
}

BOOL CWinApp::OnIdle(LONG count) {
    if (count == 0) {
        ReleaseUnusedLibraries();
    }
    return FALSE;
}

void CWinApp::ReleaseUnusedLibraries() {
    if (!AfxOleIsInitialized()) {
        return;
    }
    const DWORD now = GetTickCount();
    if (m_lastLibraryRelease != 0 && now - m_lastLibraryRelease < kLibraryReleaseIntervalMs) {
        return;
    }
    m_lastLibraryRelease = now != 0 ? now : 1;
    CoFreeUnusedLibraries();
}

BOOL CWinApp::IsIdleMessage(const MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (msg->message == m_lastMouseMessage && msg->pt.x == m_lastMousePoint.x &&
            msg->pt.y == m_lastMousePoint.y) {
            return FALSE;
        }
        m_lastMouseMessage = msg->message;
        m_lastMousePoint = msg->pt;
        return TRUE;
    case WM_PAINT:
    case kSystemTimerMessage:
        return FALSE;
    default:
        return TRUE;
    }
}

void CWinApp::OnMainWindowGone(CWnd* wnd) {
    if (wnd == nullptr || m_pMainWnd != wnd) {
        return;
    }
    const bool endsApplication = !m_mainWndIsTemporary;
    SetMainWnd(nullptr);
    if (endsApplication) {
        ::PostQuitMessage(0);
    }
}

int CWinApp::ExitInstance() {
    return m_exitCode;
}

CWinAppEx::CWinAppEx(BOOL resourceSmartUpdate) : m_resourceSmartUpdate(resourceSmartUpdate) {}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr ? g_app->GetInstanceHandle() : GetModuleHandleW(nullptr);
}

int RunApplication(HINSTANCE instance, int showCommand) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    app->m_hInstance = instance != nullptr ? instance : GetModuleHandleW(nullptr);
    app->m_showCommand = showCommand;
    app->m_threadId = GetCurrentThreadId();
    app->m_exitCode = -1;
    const int exitCode = app->InitInstance() ? app->Run() : app->ExitInstance();
    AfxOleTerm();
    return exitCode;
}
