#include "native/PrivateMessages.h"

namespace tarn_msg {

namespace {

// The trusted send being handled on this thread, innermost first.
struct TrustedSend {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const TrustedSend* outer;
};

thread_local const TrustedSend* t_trustedSend = nullptr;

} // namespace

LRESULT SendTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr) {
        return 0;
    }
    if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        // The receiver cannot see this thread's mark; it ignores the pointer.
        return SendMessageW(hwnd, message, wParam, lParam);
    }
    const TrustedSend send{hwnd, message, wParam, lParam, t_trustedSend};
    t_trustedSend = &send;
    const LRESULT result = SendMessageW(hwnd, message, wParam, lParam);
    t_trustedSend = send.outer;
    return result;
}

bool IsTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Sent from another thread or process: never trusted, whatever this
    // thread is sending meanwhile.
    if (InSendMessageEx(nullptr) != ISMEX_NOSEND) {
        return false;
    }
    // A posted message with the same values dispatched by a loop inside a
    // trusted send's handler is not told apart; only the innermost send counts.
    const TrustedSend* send = t_trustedSend;
    return send != nullptr && send->hwnd == hwnd && send->message == message &&
           send->wParam == wParam && send->lParam == lParam;
}

} // namespace tarn_msg
