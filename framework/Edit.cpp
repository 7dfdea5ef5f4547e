#include "framework/Edit.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"EDIT", L"", style, rect, parent, id);
}

void CEdit::SetLimitText(UINT maxUnits) {
    SendMessage(EM_SETLIMITTEXT, maxUnits);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

void CEdit::SetPasswordChar(wchar_t unit) {
    SendMessage(EM_SETPASSWORDCHAR, unit);
}

wchar_t CEdit::GetPasswordChar() const {
    return static_cast<wchar_t>(SendMessage(EM_GETPASSWORDCHAR));
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    if (!noScroll) {
        ScrollCaret();
    }
}

void CEdit::GetSel(int* start, int* end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    if (start != nullptr) {
        *start = static_cast<int>(first);
    }
    if (end != nullptr) {
        *end = static_cast<int>(last);
    }
}

void CEdit::ReplaceSel(LPCWSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
}

void CEdit::ScrollCaret() {
    SendMessage(EM_SCROLLCARET);
}
