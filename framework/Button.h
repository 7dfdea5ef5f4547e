// CButton: the system button control ("BUTTON").
#pragma once

#include "framework/Wnd.h"

// A window object over a system button. Holds no state of its own beyond
// CWnd; every method answers 0 or does nothing when there is no window.
class CButton : public CRuntimeKind<"CButton", CWnd> {
public:
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int check);
    // The BST_ state bits (checked, pushed, focus, ...).
    UINT GetState() const;
    // Clicks the button as the user would: its parent gets BN_CLICKED.
    void Click();
};
