#include "native/FormPages.h"

#include <cstdint>

#include "native/FocusFirstChild.h"
#include "native/PrivateMessages.h"

namespace {

// Asks window for a value by a read message of the private protocol; true
// when it answered with the marker, and value then holds its answer.
bool ReadPrivateValue(HWND window, UINT readMessage, int32_t& value) {
    return tarn_msg::SendTrustedMessage(window, readMessage, reinterpret_cast<WPARAM>(&value)) ==
           tarn_msg::kWindowMarker;
}

void ShowOrHideByPage(HWND child, int32_t page) {
    int32_t childPage = -1;
    if (!ReadPrivateValue(child, tarn_msg::kReadPage, childPage) || childPage < 0) {
        return; // on no page: shown or hidden by its own rules
    }
    int32_t ownVisibility = 1;
    const bool answered = ReadPrivateValue(child, tarn_msg::kReadPageFlag, ownVisibility);
    const bool show = childPage == page && (!answered || ownVisibility != 0);
    ::ShowWindow(child, show ? SW_SHOWNA : SW_HIDE);
    ::UpdateWindow(child);
}

} // namespace

void ShowChildrenByPage(HWND form, HWND container) {
    int32_t page = -1;
    if (container == nullptr || !IsChild(form, container) ||
        GetWindowThreadProcessId(container, nullptr) != GetCurrentThreadId() ||
        !ReadPrivateValue(container, tarn_msg::kReadCurrentPage, page) || page < 0) {
        return;
    }
    for (HWND child = GetWindow(container, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ShowOrHideByPage(child, page);
    }
    ::InvalidateRect(container, nullptr, FALSE);
    FocusFirstChild(container);
}
