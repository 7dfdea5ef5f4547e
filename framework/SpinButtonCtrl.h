// CSpinButtonCtrl: the common up-down control.
#pragma once

#include "framework/Wnd.h"

// A window object over an up-down control. Holds no state of its own beyond
// CWnd; every method answers 0 or does nothing when there is no window.
class CSpinButtonCtrl : public CRuntimeKind<"CSpinButtonCtrl", CWnd> {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The 16-bit range; lower may exceed upper (the arrows then count down).
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange32(int* lower, int* upper) const;
    int SetPos32(int position);
    // The position; *error (if given) is TRUE when the control could not
    // tell one (no window, or a buddy whose text is no number).
    int GetPos32(BOOL* error = nullptr) const;
};
