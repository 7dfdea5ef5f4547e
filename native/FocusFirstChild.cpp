#include "native/FocusFirstChild.h"

namespace {

constexpr LRESULT kTakesKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;

bool IsVisibleAndEnabled(HWND window) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

struct FocusSearch {
    HWND firstTabStop = nullptr;
};

// The first window under parent that takes keys, in depth-first order.
HWND FindKeyTaker(HWND parent, FocusSearch& search) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsVisibleAndEnabled(child)) {
            continue;
        }
        if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & kTakesKeys) != 0) {
            return child;
        }
        if (search.firstTabStop == nullptr &&
            (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0) {
            search.firstTabStop = child;
        }
        if (HWND inner = FindKeyTaker(child, search); inner != nullptr) {
            return inner;
        }
    }
    return nullptr;
}

} // namespace

HWND FocusFirstChild(HWND window) {
    if (window == nullptr || !IsWindow(window)) {
        return nullptr;
    }
    HWND first = GetWindow(window, GW_CHILD);
    if (first == nullptr) {
        return nullptr;
    }
    HWND chosen = first;
    if (IsVisibleAndEnabled(window)) {
        FocusSearch search;
        if (HWND taker = FindKeyTaker(window, search); taker != nullptr) {
            chosen = taker;
        } else if (search.firstTabStop != nullptr) {
            chosen = search.firstTabStop;
        }
    }
    SetFocus(chosen);
    return chosen;
}
