// CTestNativeWnd: a native window of the runtime's default class, used only by the tests.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/RuntimeClass.h"
#include "native/TarnWnd.h"
#include "native/WindowClass.h"

namespace native_test {

// Windows of this class alive right now; a deleted one must not be counted.
inline int g_liveTestWindows = 0;

// A plain native window: the shared part and procedure over CWnd, either of
// the runtime's default class or of a system class. It records what reached
// its own processing (step 4) and how often the final-destroy hook ran, and
// carries a canary that its destructor kills, so that a use after deletion
// shows.
class CTestNativeWnd : public CRuntimeKind<"CTestNativeWnd", CTarnWnd<CWnd>> {
public:
    static constexpr unsigned kAlive = 0xA11CE;
    static constexpr unsigned kDead = 0xDEAD;

    CTestNativeWnd() { ++g_liveTestWindows; }
    ~CTestNativeWnd() override {
        canary = kDead;
        --g_liveTestWindows;
    }

    // Creates the window; className null means the runtime's default class.
    bool Create(const wchar_t* text, DWORD style, int x, int y, int width, int height,
                HWND parent = nullptr, int id = 0, DWORD exStyle = 0,
                const wchar_t* className = nullptr) {
        const wchar_t* name = className != nullptr ? className : RegisterTarnWindowClass();
        return CreateEx(exStyle, name, text, style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != FALSE;
    }

    int Count(UINT message) const {
        int count = 0;
        for (UINT seen : reachedStep4) {
            count += seen == message ? 1 : 0;
        }
        return count;
    }

    volatile unsigned canary = kAlive;
    std::vector<UINT> reachedStep4;
    // The first parameter of the last WM_CHAR that reached step 4.
    WPARAM lastChar = 0;
    int finalDestroys = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        reachedStep4.push_back(message);
        if (message == WM_CHAR) {
            lastChar = wParam;
        }
        return CTarnWnd<CWnd>::HandleMessage(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++finalDestroys; }
};

} // namespace native_test
