// Windows for the framework tests: an own window class and a window object that records its
// messages.
#pragma once

#include "framework/Wnd.h"

#include <vector>

namespace framework_test {

// An own window class whose class procedure is the platform's default,
// registered on first use.
const wchar_t* TestClassName();

// A window object that records every message that reaches its WindowProc,
// and whether it was already bound when WM_NCCREATE arrived.
class RecordingWnd : public CWnd {
public:
    std::vector<UINT> messages;
    bool boundAtNcCreate = false;

    // How often a message reached the object.
    int Count(UINT message) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A visible top-level window of the test class.
bool CreateTopLevel(CWnd& wnd, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
// A visible child window of any class.
bool CreateChild(CWnd& wnd, const wchar_t* className, CWnd& parent, UINT id,
                 DWORD style = WS_CHILD | WS_VISIBLE);

} // namespace framework_test
