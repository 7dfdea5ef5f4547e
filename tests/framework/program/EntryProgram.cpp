// A small windowed program on the framework, started by the framework tests.
// Its behaviour is chosen on the command line:
//   (nothing)   a main window that destroys itself from a timer: exit code 0
//   --quit=N    a main window, and the quit message with N: exit code N
//   --fail      InitInstance fails: the loop never runs, exit code -1
//   --throw     the main window's timer handler throws std::bad_alloc, which
//               the window procedure stops: exit code -1
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <cwchar>
#include <new>

namespace {

constexpr UINT_PTR kCloseTimer = 1;

class MainWindow : public CWnd {
public:
    bool throwOnTimer = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kCloseTimer) {
            KillTimer(GetSafeHwnd(), kCloseTimer);
            if (throwOnTimer) {
                throw std::bad_alloc();
            }
            DestroyWindow();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class EntryProgram : public CWinAppEx {
public:
    EntryProgram() : CWinAppEx(TRUE) {}

    BOOL InitInstance() override {
        const wchar_t* arguments = GetCommandLineW();
        if (std::wcsstr(arguments, L"--fail") != nullptr) {
            return FALSE;
        }
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetInstanceHandle();
        windowClass.lpszClassName = L"QorvathEntryProgram";
        RegisterClassW(&windowClass);
        if (!m_window.CreateEx(0, L"QorvathEntryProgram", L"entry", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                               100, nullptr, nullptr)) {
            return FALSE;
        }
        SetMainWnd(&m_window);
        m_window.throwOnTimer = std::wcsstr(arguments, L"--throw") != nullptr;
        if (const wchar_t* quit = std::wcsstr(arguments, L"--quit="); quit != nullptr) {
            PostQuitMessage(static_cast<int>(std::wcstol(quit + 7, nullptr, 10)));
        } else {
            SetTimer(m_window.GetSafeHwnd(), kCloseTimer, 50, nullptr);
        }
        return TRUE;
    }

private:
    MainWindow m_window;
};

EntryProgram g_program;

} // namespace
