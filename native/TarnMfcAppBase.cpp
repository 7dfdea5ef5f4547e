#include "native/TarnMfcAppBase.h"

#include "native/PrivateMessages.h"

CTarnMfcAppBase::CTarnMfcAppBase(BOOL resourceSmartUpdate) : CRuntimeKind(resourceSmartUpdate) {}

BOOL CTarnMfcAppBase::PreTranslateMessage(MSG* msg) {
    if (CWinAppEx::PreTranslateMessage(msg)) {
        return TRUE;
    }
    return OfferToMarkedWindows(msg);
}

BOOL CTarnMfcAppBase::OfferToMarkedWindows(MSG* msg) {
    if (msg == nullptr || !tarn_msg::IsInputMessage(msg->message)) {
        return FALSE;
    }
    // The walk ends at the first window of another thread: no other thread
    // or process is ever offered the address of our message.
    for (HWND window = msg->hwnd;
         window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();) {
        if (GetWindowLongPtrW(window, GWLP_USERDATA) == tarn_msg::kWindowMarker &&
            tarn_msg::SendTrustedMessage(window, tarn_msg::kPreTranslate,
                                         reinterpret_cast<WPARAM>(msg)) ==
                tarn_msg::kWindowMarker) {
            return TRUE;
        }
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
        window = GetParent(window);
    }
    return FALSE;
}
