#include "framework/Dialog.h"

#include "framework/MessageLoop.h"
#include "framework/WinApp.h"

namespace {

// The platform's dialog window class.
constexpr const wchar_t* kDialogClassName = L"#32770";

// The application object when it runs on this thread: only then do its idle
// work, message filter and main window apply to a dialog of this thread.
CWinApp* AppOfThisThread() {
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->GetThreadId() == GetCurrentThreadId() ? app : nullptr;
}

// The dialog procedure below the object's WindowProc. The dialog manager
// sends WM_INITDIALOG only to dialogs that have a dialog procedure; every
// message reaches WindowProc first, so this one asks for the default
// processing of everything.
INT_PTR CALLBACK DefaultDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

CDialog::CDialog(const CDialogTemplate& dialogTemplate, HWND owner)
    : m_template(dialogTemplate), m_owner(owner) {}

void CDialog::InitModalIndirect(const CDialogTemplate& dialogTemplate, HWND owner) {
    m_template = dialogTemplate;
    m_owner = owner;
}

HWND CDialog::ChooseOwner() const {
    HWND owner = m_owner;
    if (owner == nullptr) {
        owner = GetActiveWindow();
    }
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main != nullptr ? main->GetSafeHwnd() : nullptr;
    }
    // A dialog is owned by a top-level window, never by a child. The desktop
    // is no owner: disabling it for the run would lock up the whole screen.
    if (owner != nullptr) {
        owner = GetAncestor(owner, GA_ROOT);
    }
    return owner == GetDesktopWindow() ? nullptr : owner;
}

INT_PTR CDialog::DoModal() {
    if (!m_template || m_running || GetSafeHwnd() != nullptr) {
        return -1;
    }
    m_running = true;
    m_ending = false;
    m_result = -1;

    const HWND owner = ChooseOwner();
    const bool ownerDisabled = owner != nullptr && ::IsWindowEnabled(owner) != FALSE;
    if (ownerDisabled) {
        ::EnableWindow(owner, FALSE);
    }
    CWinApp* app = AppOfThisThread();
    if (app != nullptr && app->GetMainWnd() == nullptr) {
        app->SetTemporaryMainWnd(this);
    }

    INT_PTR result = -1;
    if (CreateDialogWindow(owner)) {
        result = m_ending ? m_result : RunModalLoop(owner);
    } else if (m_ending) {
        result = m_result; // ended and destroyed during its initialisation
    }

    // The owner comes back before the dialog goes, so that it is activated
    // in the dialog's place.
    if (ownerDisabled) {
        ::EnableWindow(owner, TRUE);
    }
    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        DestroyWindow();
    }
    if (app != nullptr) {
        // For a window that was never bound: a bound one has reported already.
        app->OnMainWindowGone(this);
    }
    m_running = false;
    return result;
}

bool CDialog::CreateDialogWindow(HWND owner) {
    const Creation creation = CreateBound(kDialogClassName, [&] {
        return CreateDialogIndirectParamW(AfxGetInstanceHandle(), m_template->Get(), owner,
                                          &DefaultDialogProc, 0);
    });
    return creation == Creation::kBoundEarly && GetSafeHwnd() != nullptr;
}

// The modal loop: it runs while the dialog neither ends nor is gone. Its
// first idle round tells the owner that the dialog waits (WM_ENTERIDLE);
// idle work, pre-translation and the idle-message rule are the
// application's when it runs on this thread. Without it, every message but
// WM_PAINT restarts idle work, so that the owner hears WM_ENTERIDLE again.
class CDialog::ModalLoop final : public CMessageLoop {
public:
    ModalLoop(CDialog& dialog, HWND owner)
        : m_dialog(dialog), m_owner(owner), m_app(AppOfThisThread()) {}

protected:
    bool KeepRunning() override { return !m_dialog.m_ending && m_dialog.GetSafeHwnd() != nullptr; }

    bool PreTranslate(MSG* msg) override {
        if (m_dialog.PreTranslateInLoop(msg)) {
            return true;
        }
        const HWND hwnd = m_dialog.GetSafeHwnd();
        return hwnd != nullptr && m_dialog.UsesDialogNavigation() &&
               IsDialogMessageW(hwnd, msg) != FALSE;
    }

    bool OnIdle(LONG count) override {
        if (count == 0 && m_owner != nullptr) {
            ::SendMessageW(m_owner, WM_ENTERIDLE, MSGF_DIALOGBOX,
                           reinterpret_cast<LPARAM>(m_dialog.GetSafeHwnd()));
        }
        return m_app != nullptr && m_app->OnIdle(count) != FALSE;
    }

    bool IsIdleMessage(const MSG* msg) override {
        return m_app != nullptr ? m_app->IsIdleMessage(msg) != FALSE : msg->message != WM_PAINT;
    }

private:
    CDialog& m_dialog;
    HWND m_owner;
    CWinApp* m_app;
};

INT_PTR CDialog::RunModalLoop(HWND owner) {
    // Like the platform's modal dialogs, the dialog is shown whether or not
    // its template asked for visibility.
    if (!IsWindowVisible() && ShowsWhenRunStarts()) {
        ShowWindow(SW_SHOWNORMAL);
    }
    ModalLoop loop(*this, owner);
    const CMessageLoop::Result result = loop.Run();
    switch (result.end) {
    case CMessageLoop::End::kQuit:
        // The outer loop must see the quit message too.
        PostQuitMessage(result.quitCode);
        return -1;
    case CMessageLoop::End::kStopped:
        return m_ending ? m_result : -1;
    case CMessageLoop::End::kFailed:
        break;
    }
    return -1;
}

bool CDialog::PreTranslateInLoop(MSG* msg) const {
    CWinApp* app = AppOfThisThread();
    const BOOL consumed =
        app != nullptr ? app->PreTranslateMessage(msg) : CWnd::WalkPreTranslateTree(msg);
    return consumed != FALSE;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ending = true;
    // Wakes the loop should it be waiting (the call may come from a message
    // sent by another thread while the loop waits for a posted one).
    PostMessage(WM_NULL);
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::optional<LRESULT> CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> answer = CWnd::OnCommand(wParam, lParam)) {
        return answer;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return std::nullopt;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return LRESULT{0};
    case IDCANCEL:
        OnCancel();
        return LRESULT{0};
    default:
        return std::nullopt;
    }
}
