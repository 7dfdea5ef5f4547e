#include "tests/framework/TestWindows.h"

#include "tests/support/GuiTestSupport.h"

#include <algorithm>

namespace framework_test {

const wchar_t* TestClassName() {
    return test_support::RegisterPlainClass(L"QorvathFrameworkTest", CS_DBLCLKS,
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

int RecordingWnd::Count(UINT message) const {
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
}

LRESULT RecordingWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back(message);
    if (message == WM_NCCREATE) {
        boundAtNcCreate = GetSafeHwnd() != nullptr && FromHandlePermanent(GetSafeHwnd()) == this;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CreateTopLevel(CWnd& wnd, DWORD style) {
    return wnd.CreateEx(0, TestClassName(), L"test", style, 40, 40, 320, 240, nullptr, nullptr) !=
           FALSE;
}

bool CreateChild(CWnd& wnd, const wchar_t* className, CWnd& parent, UINT id, DWORD style) {
    const RECT rect = {10, 10, 110, 40};
    return wnd.CreateEx(0, className, L"", style, rect, &parent, id) != FALSE;
}

} // namespace framework_test
