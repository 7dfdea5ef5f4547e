#include "native/PrivateMessages.h"

#include "framework/Wnd.h"

namespace tarn_msg {

namespace {

thread_local const TrustedSendScope* t_trustedSend = nullptr;

} // namespace

TrustedSendScope::TrustedSendScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    : m_hwnd(hwnd), m_message(message), m_wParam(wParam), m_lParam(lParam),
      // A send to a window of this thread calls its procedure at once: the
      // next dispatch of this thread is that of this message.
      m_dispatchNumber(CWnd::NextDispatchNumber()), m_outer(t_trustedSend) {
    t_trustedSend = this;
}

TrustedSendScope::~TrustedSendScope() {
    t_trustedSend = m_outer;
}

bool TrustedSendScope::Names(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_dispatchNumber == CWnd::CurrentDispatchNumber() && m_hwnd == hwnd &&
           m_message == message && m_wParam == wParam && m_lParam == lParam;
}

const TrustedSendScope* TrustedSendScope::Current() {
    return t_trustedSend;
}

LRESULT SendTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        return 0;
    }
    const TrustedSendScope scope(hwnd, message, wParam, lParam);
    return SendMessageW(hwnd, message, wParam, lParam);
}

bool IsTrustedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only the innermost send can be the message being handled: any send
    // further out was dispatched before it began.
    const TrustedSendScope* send = TrustedSendScope::Current();
    return send != nullptr && send->Names(hwnd, message, wParam, lParam);
}

} // namespace tarn_msg
