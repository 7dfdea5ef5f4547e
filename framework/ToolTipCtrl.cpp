#include "framework/ToolTipCtrl.h"

#include "framework/CommonControls.h"

#include <commctrl.h>

namespace {

// A whole-window tool is known by the window's handle (TTF_IDISHWND) and
// kept under the window's parent. The record has the size that every
// version of the control accepts.
TOOLINFOW WholeWindowTool(HWND window) {
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    HWND parent = GetParent(window);
    tool.hwnd = parent != nullptr ? parent : window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    return tool;
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    AfxInitCommonControls(ICC_BAR_CLASSES); // the tooltip class is one of the bar classes
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT,
                    parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCWSTR text) {
    return AddWindowTool(window != nullptr ? window->GetSafeHwnd() : nullptr, text);
}

BOOL CToolTipCtrl::AddWindowTool(HWND window, LPCWSTR text) {
    if (window == nullptr || !::IsWindow(window)) {
        return FALSE;
    }
    TOOLINFOW tool = WholeWindowTool(window);
    tool.lpszText = const_cast<LPWSTR>(text != nullptr ? text : L""); // read only
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0 ? TRUE : FALSE;
}

void CToolTipCtrl::DelTool(CWnd* window) {
    DelWindowTool(window != nullptr ? window->GetSafeHwnd() : nullptr);
}

void CToolTipCtrl::DelWindowTool(HWND window) {
    if (window == nullptr || !::IsWindow(window)) {
        return;
    }
    TOOLINFOW tool = WholeWindowTool(window);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (msg != nullptr) {
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    }
}
