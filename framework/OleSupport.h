// OLE start-up for the user-interface thread and its message filter (COleMessageFilter).
#pragma once

#include <windows.h>

#include <ole2.h>

#include <atomic>
#include <optional>

// The OLE message filter of a user-interface thread: it answers incoming
// calls while the application is busy, and decides what happens while an
// outgoing call is rejected by a busy server or waits for its answer.
//
// Ownership: a COM object with an atomic reference count, made with one
// reference that its maker releases. Registration (Register) gives the COM
// library its own reference until Revoke. Its settings and busy state are
// used on the thread that registered it, which is where COM calls it.
class COleMessageFilter : public IMessageFilter {
public:
    COleMessageFilter() = default;
    COleMessageFilter(const COleMessageFilter&) = delete;
    COleMessageFilter& operator=(const COleMessageFilter&) = delete;

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IMessageFilter. An incoming top-level call gets the busy reply while
    // the application is in a busy state, else it is handled. A rejected
    // outgoing call is cancelled when the server rejected it for good; when
    // the server asked to retry later, it is retried after the retry delay,
    // and with the busy dialog on the user is asked every message-pending
    // delay whether to go on. While an outgoing call waits, the not-responding
    // dialog (when on) asks the user after the message-pending delay whether
    // to go on waiting; paint messages keep being processed meanwhile.
    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO info) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                              DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount,
                                           DWORD pendingType) override;

    // Makes this the thread's message filter; FALSE when COM refuses.
    BOOL Register();
    // Puts the previous filter back. Does nothing when not registered.
    void Revoke();
    bool IsRegistered() const { return m_registered; }

    void EnableBusyDialog(BOOL enable) { m_busyDialogEnabled = enable != FALSE; }
    void EnableNotRespondingDialog(BOOL enable) { m_notRespondingDialogEnabled = enable != FALSE; }
    // SERVERCALL_RETRYLATER or SERVERCALL_REJECTED.
    void SetBusyReply(SERVERCALL reply) { m_busyReply = reply; }
    // Milliseconds of waiting before a dialog asks the user; INFINITE never asks.
    void SetMessagePendingDelay(DWORD milliseconds) { m_messagePendingDelay = milliseconds; }
    // Milliseconds before a call that a busy server rejected is tried again.
    void SetRetryReply(DWORD milliseconds) { m_retryDelay = milliseconds; }

    bool IsBusyDialogEnabled() const { return m_busyDialogEnabled; }
    bool IsNotRespondingDialogEnabled() const { return m_notRespondingDialogEnabled; }
    SERVERCALL GetBusyReply() const { return m_busyReply; }
    DWORD GetMessagePendingDelay() const { return m_messagePendingDelay; }
    DWORD GetRetryReply() const { return m_retryDelay; }

    // Busy states nest; incoming top-level calls get the busy reply while
    // at least one is open.
    void BeginBusyState() { ++m_busyCount; }
    void EndBusyState();
    bool IsBusy() const { return m_busyCount > 0; }

protected:
    virtual ~COleMessageFilter();

    // Ask the user whether to go on with an outgoing call (TRUE) or cancel
    // it. The base shows a message box owned by the main window.
    virtual BOOL AskRetryBusyServer();
    virtual BOOL AskKeepWaiting();

private:
    // When the next dialog of one kind is due during an outgoing call. The
    // time is the call's elapsed time; a smaller time than the last one
    // means a new call, whose first dialog is due after the delay.
    struct DialogSchedule {
        DWORD lastTick = 0;
        std::optional<DWORD> nextDialogTick; // none: not planned for this call yet

        // Records tickCount and answers whether the dialog is due; never
        // with an infinite delay.
        bool IsDue(DWORD tickCount, DWORD delay);
        // After a dialog at tickCount, the next one is due after the delay.
        void Postpone(DWORD tickCount, DWORD delay) { nextDialogTick = tickCount + delay; }
    };

    std::atomic<ULONG> m_refCount{1};
    bool m_registered = false;
    IMessageFilter* m_previous = nullptr;
    bool m_busyDialogEnabled = true;
    bool m_notRespondingDialogEnabled = true;
    SERVERCALL m_busyReply = SERVERCALL_RETRYLATER;
    DWORD m_messagePendingDelay = 8000;
    DWORD m_retryDelay = 100;
    int m_busyCount = 0;
    DialogSchedule m_busyDialog;
    DialogSchedule m_pendingDialog;
};

// Initialises OLE for the calling thread and registers a message filter for
// it. TRUE when OLE is ready (also when it already was through this call);
// the filter may be missing if COM refused it.
BOOL AfxOleInit();
// Revokes the filter and uninitialises OLE, if AfxOleInit succeeded on this thread.
void AfxOleTerm();
bool AfxOleIsInitialized();
// The message filter that AfxOleInit registered on this thread, or null.
COleMessageFilter* AfxOleGetMessageFilter();
// Control container support. The program hosts no ActiveX control, so there
// is nothing to prepare: this does nothing.
void AfxEnableControlContainer();
