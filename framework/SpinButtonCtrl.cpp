#include "framework/SpinButtonCtrl.h"

#include "framework/CommonControls.h"

#include <commctrl.h>

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    AfxInitCommonControls(ICC_UPDOWN_CLASS);
    return CreateEx(0, UPDOWN_CLASSW, nullptr, style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(short lower, short upper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void CSpinButtonCtrl::GetRange32(int* lower, int* upper) const {
    int first = 0;
    int last = 0;
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    if (lower != nullptr) {
        *lower = first;
    }
    if (upper != nullptr) {
        *upper = last;
    }
}

int CSpinButtonCtrl::SetPos32(int position) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(position)));
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
    BOOL failed = TRUE;
    const auto position =
        static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    if (error != nullptr) {
        *error = GetSafeHwnd() == nullptr ? TRUE : failed;
    }
    return position;
}
