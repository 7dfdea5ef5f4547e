// CToolTipCtrl: the common tool tip control.
#pragma once

#include "framework/Wnd.h"

// A window object over a tool tip control whose tools are whole windows. The
// control does not watch the tools' mouse messages itself: the owner relays
// them (RelayEvent). Holds no state of its own beyond CWnd; every method
// answers 0 or does nothing when there is no window.
class CToolTipCtrl : public CRuntimeKind<"CToolTipCtrl", CWnd> {
public:
    // Creates the tool tip window, a pop-up owned by parent.
    BOOL Create(CWnd* parent, DWORD style = 0);

    // Adds a tool covering the whole of window, showing text (copied). A
    // window that has a tool already gets a second one: DelTool first to
    // replace it.
    BOOL AddTool(CWnd* window, LPCWSTR text);
    BOOL AddWindowTool(HWND window, LPCWSTR text);
    // Removes the tool of window, if there is one.
    void DelTool(CWnd* window);
    void DelWindowTool(HWND window);
    int GetToolCount() const;
    // Hands a mouse message of a tool window to the control.
    void RelayEvent(MSG* msg);
};
