#include "framework/MessageGuard.h"

#include "framework/Wnd.h"

namespace message_guard {

namespace {

// The last WM_NOTIFY sent to a window of this thread, as the hook saw it
// just before the window procedure got it: its values, the number its
// dispatch gets, and whether this thread sent it.
struct SentNotify {
    HWND hwnd = nullptr;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint64_t dispatchNumber = 0;
    bool byThisThread = false;
};

struct Guard {
    HHOOK posted = nullptr;
    HHOOK sent = nullptr;
    SentNotify lastNotify;
};

thread_local Guard t_guard;

LRESULT CALLBACK PostedMessageHook(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && lParam != 0) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (IsNeverPosted(*msg)) {
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return CallNextHookEx(t_guard.posted, code, removal, lParam);
}

LRESULT CALLBACK SentMessageHook(int code, WPARAM byThisThread, LPARAM lParam) {
    if (code == HC_ACTION && lParam != 0) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_NOTIFY) {
            // The window procedure runs right after this hook: its dispatch
            // is the next one of this thread.
            t_guard.lastNotify = {sent->hwnd, sent->wParam, sent->lParam,
                                  CWnd::NextDispatchNumber(), byThisThread != 0};
        }
    }
    return CallNextHookEx(t_guard.sent, code, byThisThread, lParam);
}

} // namespace

void Install() {
    const DWORD thread = GetCurrentThreadId();
    if (t_guard.posted == nullptr) {
        t_guard.posted = SetWindowsHookExW(WH_GETMESSAGE, &PostedMessageHook, nullptr, thread);
    }
    if (t_guard.sent == nullptr) {
        t_guard.sent = SetWindowsHookExW(WH_CALLWNDPROC, &SentMessageHook, nullptr, thread);
    }
}

void Remove() {
    if (t_guard.posted != nullptr) {
        UnhookWindowsHookEx(t_guard.posted);
    }
    if (t_guard.sent != nullptr) {
        UnhookWindowsHookEx(t_guard.sent);
    }
    t_guard = Guard{};
}

bool IsInstalled() {
    return t_guard.posted != nullptr && t_guard.sent != nullptr;
}

bool IsNeverPosted(const MSG& msg) {
    switch (msg.message) {
    case WM_NOTIFY:
        return true;
    case WM_COMMAND:
        return msg.lParam != 0 && IsWindow(reinterpret_cast<HWND>(msg.lParam));
    default:
        return false;
    }
}

bool IsNotifySentByThisThread(HWND hwnd, WPARAM wParam, LPARAM lParam, uint64_t dispatchNumber) {
    if (t_guard.sent == nullptr) {
        return InSendMessageEx(nullptr) == ISMEX_NOSEND;
    }
    const SentNotify& last = t_guard.lastNotify;
    return last.byThisThread && last.dispatchNumber == dispatchNumber && last.hwnd == hwnd &&
           last.wParam == wParam && last.lParam == lParam;
}

} // namespace message_guard
