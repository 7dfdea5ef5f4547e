#include "framework/OleSupport.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

// What AfxOleInit set up on this thread.
struct OleThreadState {
    bool initialized = false;
    COleMessageFilter* filter = nullptr;
};
thread_local OleThreadState t_ole;

constexpr wchar_t kBusyCaption[] = L"\u7A0B\u5E8F\u5FD9"; // 程序忙
constexpr wchar_t kBusyText[] =
    L"\u53E6\u4E00\u4E2A\u7A0B\u5E8F\u6B63\u5FD9\uFF0C\u6682\u65F6\u4E0D\u80FD\u5B8C\u6210"
    L"\u6B64\u64CD\u4F5C\u3002\n\n\u9009\u62E9\u201C\u91CD\u8BD5\u201D\u518D\u6B21\u5C1D"
    L"\u8BD5\uFF0C\u9009\u62E9\u201C\u53D6\u6D88\u201D\u653E\u5F03\u6B64\u64CD\u4F5C\u3002";
// 另一个程序正忙，暂时不能完成此操作。 选择“重试”再次尝试，选择“取消”放弃此操作。
constexpr wchar_t kNotRespondingCaption[] = L"\u7A0B\u5E8F\u6CA1\u6709\u54CD\u5E94"; // 程序没有响应
constexpr wchar_t kNotRespondingText[] =
    L"\u53E6\u4E00\u4E2A\u7A0B\u5E8F\u6CA1\u6709\u54CD\u5E94\uFF0C\u6B64\u64CD\u4F5C\u8FD8"
    L"\u5728\u7B49\u5F85\u5B83\u5B8C\u6210\u3002\n\n\u9009\u62E9\u201C\u91CD\u8BD5\u201D"
    L"\u7EE7\u7EED\u7B49\u5F85\uFF0C\u9009\u62E9\u201C\u53D6\u6D88\u201D\u653E\u5F03\u6B64"
    L"\u64CD\u4F5C\u3002";
// 另一个程序没有响应，此操作还在等待它完成。 选择“重试”继续等待，选择“取消”放弃此操作。

BOOL AskRetryCancel(const wchar_t* text, const wchar_t* caption) {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    const UINT type = MB_RETRYCANCEL | MB_ICONEXCLAMATION | (owner == nullptr ? MB_TASKMODAL : 0);
    return MessageBoxW(owner, text, caption, type) == IDRETRY ? TRUE : FALSE;
}

} // namespace

COleMessageFilter::~COleMessageFilter() = default;

HRESULT STDMETHODCALLTYPE COleMessageFilter::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    // __uuidof gives the identifiers from the interfaces' own declarations;
    // the IID_ constants would link an object of the uuid library that holds
    // several hundred others.
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IMessageFilter))) {
        *object = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE COleMessageFilter::AddRef() {
    return ++m_refCount;
}

ULONG STDMETHODCALLTYPE COleMessageFilter::Release() {
    const ULONG count = --m_refCount;
    if (count == 0) {
        delete this;
    }
    return count;
}

DWORD STDMETHODCALLTYPE COleMessageFilter::HandleInComingCall(DWORD callType, HTASK, DWORD,
                                                              LPINTERFACEINFO) {
    // Nested calls are part of work already under way, and asynchronous
    // calls cannot be refused: only new top-level calls wait for the end of
    // a busy state.
    const bool topLevel =
        callType == CALLTYPE_TOPLEVEL || callType == CALLTYPE_TOPLEVEL_CALLPENDING;
    if (IsBusy() && topLevel) {
        return static_cast<DWORD>(m_busyReply);
    }
    return SERVERCALL_ISHANDLED;
}

bool COleMessageFilter::DialogSchedule::IsDue(DWORD tickCount, DWORD delay) {
    if (tickCount < lastTick) {
        nextDialogTick.reset(); // a new call started
    }
    lastTick = tickCount;
    if (delay == INFINITE) {
        return false;
    }
    if (!nextDialogTick) {
        nextDialogTick = delay;
    }
    return tickCount >= *nextDialogTick;
}

DWORD STDMETHODCALLTYPE COleMessageFilter::RetryRejectedCall(HTASK, DWORD tickCount,
                                                             DWORD rejectType) {
    constexpr DWORD kCancelCall = static_cast<DWORD>(-1);
    if (rejectType != SERVERCALL_RETRYLATER) {
        return kCancelCall; // rejected for good
    }
    if (m_busyDialogEnabled && m_busyDialog.IsDue(tickCount, m_messagePendingDelay)) {
        if (!AskRetryBusyServer()) {
            return kCancelCall;
        }
        m_busyDialog.Postpone(tickCount, m_messagePendingDelay);
        return 0; // retry at once
    }
    return m_retryDelay;
}

DWORD STDMETHODCALLTYPE COleMessageFilter::MessagePending(HTASK, DWORD tickCount, DWORD) {
    if (m_notRespondingDialogEnabled && m_pendingDialog.IsDue(tickCount, m_messagePendingDelay)) {
        if (!AskKeepWaiting()) {
            return PENDINGMSG_CANCELCALL;
        }
        m_pendingDialog.Postpone(tickCount, m_messagePendingDelay);
    }
    return PENDINGMSG_WAITDEFPROCESS;
}

BOOL COleMessageFilter::AskRetryBusyServer() {
    return AskRetryCancel(kBusyText, kBusyCaption);
}

BOOL COleMessageFilter::AskKeepWaiting() {
    return AskRetryCancel(kNotRespondingText, kNotRespondingCaption);
}

BOOL COleMessageFilter::Register() {
    if (m_registered) {
        return TRUE;
    }
    IMessageFilter* previous = nullptr;
    if (FAILED(CoRegisterMessageFilter(this, &previous))) {
        return FALSE;
    }
    m_previous = previous;
    m_registered = true;
    return TRUE;
}

void COleMessageFilter::Revoke() {
    if (!m_registered) {
        return;
    }
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(m_previous, &ours);
    if (ours != nullptr) {
        ours->Release(); // the library's reference to this filter
    }
    if (m_previous != nullptr) {
        m_previous->Release();
        m_previous = nullptr;
    }
    m_registered = false;
}

void COleMessageFilter::EndBusyState() {
    if (m_busyCount > 0) {
        --m_busyCount;
    }
}

BOOL AfxOleInit() {
    if (t_ole.initialized) {
        return TRUE;
    }
    if (FAILED(OleInitialize(nullptr))) {
        return FALSE;
    }
    t_ole.initialized = true;
    auto* filter = new COleMessageFilter;
    if (filter->Register()) {
        t_ole.filter = filter;
    } else {
        filter->Release();
    }
    return TRUE;
}

void AfxOleTerm() {
    if (t_ole.filter != nullptr) {
        t_ole.filter->Revoke();
        t_ole.filter->Release();
        t_ole.filter = nullptr;
    }
    if (t_ole.initialized) {
        t_ole.initialized = false;
        OleUninitialize();
    }
}

bool AfxOleIsInitialized() {
    return t_ole.initialized;
}

COleMessageFilter* AfxOleGetMessageFilter() {
    return t_ole.filter;
}

void AfxEnableControlContainer() {}
