// CEdit: the system edit control ("EDIT").
#pragma once

#include "framework/Wnd.h"

// A window object over a system edit control. Holds no state of its own
// beyond CWnd; every method answers 0 or does nothing when there is no window.
class CEdit : public CRuntimeKind<"CEdit", CWnd> {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The most units the user can enter; 0 sets the control's largest limit.
    void SetLimitText(UINT maxUnits);
    UINT GetLimitText() const;
    // The unit shown in place of each character; 0 shows the text itself.
    void SetPasswordChar(wchar_t unit);
    wchar_t GetPasswordChar() const;
    // Selects units [start, end); start 0 and end -1 select everything,
    // start -1 removes the selection.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int* start, int* end) const;
    // Replaces the selection (within the text limit).
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
    // Scrolls the caret into view.
    void ScrollCaret();
};
