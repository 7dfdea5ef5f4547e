#include "framework/Wnd.h"

#include "framework/MessageGuard.h"
#include "framework/WinApp.h"
#include "runtime/OutOfMemory.h"

#include <uxtheme.h>

#include <cassert>

#include <unordered_map>

namespace {

using HandleMap = std::unordered_map<HWND, CWnd*>;

// The permanent map of this thread. It is made on first use and freed when
// its last window leaves, so no thread keeps it past its last window, and a
// pointer (trivially destructible) stays valid during static destruction.
thread_local HandleMap* t_handleMap = nullptr;

// The window creation in progress on this thread: the object waiting for its
// window and the class it asked for. The hook is installed while at least one
// creation scope is open.
struct CreationState {
    CWnd* pendingWnd = nullptr;
    LPCWSTR pendingClassName = nullptr;
    HHOOK hook = nullptr;
    int depth = 0;
};
thread_local CreationState t_creation;

// The count of messages dispatched on this thread, and the number of the
// innermost one in progress.
thread_local uint64_t t_dispatchCount = 0;
thread_local uint64_t t_currentDispatch = 0;

// Numbers one dispatch for its duration.
class DispatchNumber {
public:
    DispatchNumber() : m_outer(t_currentDispatch) { t_currentDispatch = ++t_dispatchCount; }
    ~DispatchNumber() { t_currentDispatch = m_outer; }
    DispatchNumber(const DispatchNumber&) = delete;
    DispatchNumber& operator=(const DispatchNumber&) = delete;

private:
    uint64_t m_outer;
};

// The message guard lives as long as the map: from the thread's first window
// object to its last.
void AddToMap(HWND hwnd, CWnd* wnd) {
    if (t_handleMap == nullptr) {
        t_handleMap = new HandleMap;
        message_guard::Install();
    }
    (*t_handleMap)[hwnd] = wnd;
}

void RemoveFromMap(HWND hwnd) {
    if (t_handleMap == nullptr) {
        return;
    }
    t_handleMap->erase(hwnd);
    if (t_handleMap->empty()) {
        delete t_handleMap;
        t_handleMap = nullptr;
        message_guard::Remove();
    }
}

// The application learns that the main window may be gone.
void ReportWindowGone(CWnd* wnd) {
    if (CWinApp* app = AfxGetApp(); app != nullptr) {
        app->OnMainWindowGone(wnd);
    }
}

// True when hwnd is of the class a creation asked for. The platform may make
// windows of its own on this thread during a creation (the input method's
// default window, for instance); they must not take the pending object.
bool IsRequestedClass(HWND hwnd, LPCWSTR className) {
    if (className == nullptr) {
        return false;
    }
    if (IS_INTRESOURCE(className)) {
        const auto atom = static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM));
        return atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className));
    }
    wchar_t actual[256] = {};
    if (GetClassNameW(hwnd, actual, 256) == 0) {
        return false;
    }
    // Window class names compare without case, as the platform compares them.
    return lstrcmpiW(actual, className) == 0;
}

// A C++ exception must never unwind into the system's code that called a
// window procedure or hook: on Windows x64 it is lost at the kernel callback
// or ends the process without our exit handlers. The framework and the
// layers above throw nothing of their own, so what arrives here is the
// standard containers' std::bad_alloc, and the process ends as on any other
// memory exhaustion.
[[noreturn]] void EndAtEscapingException() noexcept {
    ExitOutOfMemory();
}

} // namespace

CWnd::~CWnd() {
    assert(m_dispatchDepth == 0 &&
           "window object deleted inside its own message; use DeleteAfterDispatch");
    if (m_hWnd == nullptr) {
        return;
    }
    HWND hwnd = UnsubclassWindow();
    ::DestroyWindow(hwnd);
    ReportWindowGone(this);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr || t_handleMap == nullptr) {
        return nullptr;
    }
    const auto found = t_handleMap->find(hwnd);
    return found == t_handleMap->end() ? nullptr : found->second;
}

CWnd::CreationScope::CreationScope(CWnd* wnd, LPCWSTR className)
    : m_previousWnd(t_creation.pendingWnd), m_previousClassName(t_creation.pendingClassName) {
    t_creation.pendingWnd = wnd;
    t_creation.pendingClassName = className;
    if (t_creation.depth++ == 0) {
        t_creation.hook =
            SetWindowsHookExW(WH_CBT, &CWnd::CreationHookProc, nullptr, GetCurrentThreadId());
    }
}

CWnd::CreationScope::~CreationScope() {
    t_creation.pendingWnd = m_previousWnd;
    t_creation.pendingClassName = m_previousClassName;
    if (--t_creation.depth == 0 && t_creation.hook != nullptr) {
        UnhookWindowsHookEx(t_creation.hook);
        t_creation.hook = nullptr;
    }
}

LRESULT CALLBACK CWnd::CreationHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // HCBT_CREATEWND comes after the window exists and before its first
    // message, which is the moment to bind it.
    if (code == HCBT_CREATEWND && t_creation.pendingWnd != nullptr) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsRequestedClass(hwnd, t_creation.pendingClassName)) {
            CWnd* wnd = t_creation.pendingWnd;
            t_creation.pendingWnd = nullptr;
            try {
                wnd->Bind(hwnd); // the permanent map may have to grow
            } catch (...) {
                EndAtEscapingException();
            }
        }
    }
    return CallNextHookEx(t_creation.hook, code, wParam, lParam);
}

bool CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    AddToMap(hwnd, this);
    SetLastError(0);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    if (previous == nullptr && GetLastError() != 0) {
        RemoveFromMap(hwnd);
        m_hWnd = nullptr;
        return false;
    }
    // A class registered with our procedure has no procedure of its own
    // below it: its default processing is the platform's.
    m_originalProc =
        previous == &CWnd::StaticWindowProc || previous == nullptr ? &::DefWindowProcW : previous;
    return true;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    const Creation creation = CreateBound(className, [&] {
        return ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent,
                                 menuOrId, AfxGetInstanceHandle(), param);
    });
    return creation != Creation::kFailed ? TRUE : FALSE;
}

CWnd::Creation CWnd::FinishCreation(HWND hwnd) {
    if (hwnd == nullptr) {
        // Nothing of this object may be touched: if the window existed for a
        // moment, PostNcDestroy has run and may have deleted it.
        return Creation::kFailed;
    }
    if (m_hWnd == hwnd) {
        return Creation::kBoundEarly;
    }
    // The binding hook was missing (or the window came out of another class
    // than asked for): the object missed the creation messages, so it must
    // not take the window as if it had been created through it.
    if (::IsWindow(hwnd) && FromHandlePermanent(hwnd) == nullptr) {
        ::DestroyWindow(hwnd);
    }
    return Creation::kFailed;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent != nullptr ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd != nullptr || !::IsWindow(hwnd) || FromHandlePermanent(hwnd) != nullptr ||
        GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        return FALSE;
    }
    return Bind(hwnd) ? TRUE : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    HWND hwnd = m_hWnd;
    // Only our own procedure can be taken out; when another subclass sits on
    // top of it, the window's later messages get the platform's default.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) ==
        &CWnd::StaticWindowProc) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_originalProc));
    }
    RemoveFromMap(hwnd);
    m_hWnd = nullptr;
    m_originalProc = nullptr;
    return hwnd;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    try {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd == nullptr) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return wnd->Dispatch(message, wParam, lParam);
    } catch (...) {
        EndAtEscapingException();
    }
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const DispatchNumber number;
    if (message == WM_NOTIFY &&
        !message_guard::IsNotifySentByThisThread(m_hWnd, wParam, lParam, t_currentDispatch)) {
        return 0; // its lParam points to nothing of ours
    }
    BeginDispatch();
    const LRESULT result = WindowProc(message, wParam, lParam);
    // The bookkeeping of the last message runs whatever its handlers did.
    if (message == WM_NCDESTROY && UnsubclassWindow() != nullptr) {
        ReportWindowGone(this);
        PostNcDestroy();
    }
    EndDispatch(); // may delete this
    return result;
}

void CWnd::BeginDispatch() {
    ++m_dispatchDepth;
    if (m_dispatchOwner != nullptr) {
        ++m_dispatchOwner->m_dispatchDepth;
    }
}

void CWnd::EndDispatch() {
    // The owner may own this object: it is read first and ended last.
    CWnd* owner = m_dispatchOwner;
    if (--m_dispatchDepth == 0 && m_deletePending) {
        // Asked for during this message: the outermost one ends here.
        DeletePending(this);
    }
    if (owner != nullptr && --owner->m_dispatchDepth == 0 && owner->m_deletePending) {
        DeletePending(owner);
    }
}

void CWnd::DeletePending(CWnd* wnd) {
    // A window that still exists is destroyed by the deletion, and its last
    // messages (a child's parent notification, say) may reach the object on
    // the way: they must not start the deletion again.
    wnd->m_deletePending = false;
    delete wnd;
}

uint64_t CWnd::CurrentDispatchNumber() {
    return t_currentDispatch;
}

uint64_t CWnd::NextDispatchNumber() {
    return t_dispatchCount + 1;
}

void CWnd::DeleteAfterDispatch() {
    if (m_dispatchDepth > 0) {
        m_deletePending = true;
        return;
    }
    delete this;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    HWND hwnd = msg->hwnd;
    while (hwnd != nullptr) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg)) {
            return TRUE;
        }
        // The walk ends at the top-level window (and at a window destroyed
        // by the handler, whose style reads as 0).
        if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
        hwnd = ::GetParent(hwnd);
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (const std::optional<LRESULT> answer = OnCommand(wParam, lParam)) {
            return *answer;
        }
        break;
    case WM_NOTIFY:
        if (const std::optional<LRESULT> answer = OnNotify(wParam, lParam)) {
            return *answer;
        }
        break;
    case WM_SYSCOLORCHANGE:
        // The system tells top-level windows only; controls that keep
        // brushes of system colours (and the common controls) need to hear.
        if ((GetStyle() & WS_CHILD) == 0) {
            SendMessageToDescendants(message, wParam, lParam);
        }
        break;
    default:
        // The colour requests of the controls go back to their objects.
        if (const std::optional<LRESULT> result = ReflectToChild(message, wParam, lParam)) {
            return *result;
        }
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (m_hWnd == nullptr) {
        return;
    }
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } sent{message, wParam, lParam};
    EnumChildWindows(
        m_hWnd,
        [](HWND child, LPARAM data) -> BOOL {
            const auto* m = reinterpret_cast<const Message*>(data);
            ::SendMessageW(child, m->message, m->wParam, m->lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&sent));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_hWnd == nullptr) {
        return 0;
    }
    return CallWindowProcW(m_originalProc, m_hWnd, message, wParam, lParam);
}

std::optional<LRESULT> CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!ReflectToChild(WM_COMMAND, wParam, lParam)) {
        return std::nullopt;
    }
    return LRESULT{0};
}

std::optional<LRESULT> CWnd::OnNotify(WPARAM wParam, LPARAM lParam) {
    return ReflectToChild(WM_NOTIFY, wParam, lParam);
}

std::optional<LRESULT> CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM) {
    return std::nullopt;
}

std::optional<LRESULT> CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND sender = nullptr;
    switch (message) {
    case WM_COMMAND: // lParam is the control; 0 for menus and accelerators
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: // lParam is the control asking for colours
        sender = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        if (lParam != 0) {
            sender = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        }
        break;
    default:
        return std::nullopt;
    }
    CWnd* child = FromHandlePermanent(sender);
    if (child == nullptr || child == this) {
        return std::nullopt;
    }
    // Counted as a message of the child: a handler may ask for its deletion.
    child->BeginDispatch();
    const std::optional<LRESULT> answer = child->OnReflectedMessage(message, wParam, lParam);
    child->EndDispatch();
    return answer;
}

DWORD CWnd::GetStyle() const {
    return m_hWnd != nullptr ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) : 0;
}

DWORD CWnd::GetExStyle() const {
    return m_hWnd != nullptr ? static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)) : 0;
}

namespace {

BOOL ChangeStyleBits(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    if (hwnd == nullptr) {
        return FALSE;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(changed));
    if (flags != 0) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    }
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ChangeStyleBits(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ChangeStyleBits(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

BOOL CWnd::SetWindowText(LPCWSTR text) {
    return m_hWnd != nullptr ? ::SetWindowTextW(m_hWnd, text) : FALSE;
}

std::wstring CWnd::GetWindowText() const {
    if (m_hWnd == nullptr) {
        return {};
    }
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int CWnd::GetDlgCtrlID() const {
    return m_hWnd != nullptr ? ::GetDlgCtrlID(m_hWnd) : 0;
}

HWND CWnd::GetParent() const {
    return m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
}

HWND CWnd::SetParent(HWND newParent) {
    return m_hWnd != nullptr ? ::SetParent(m_hWnd, newParent) : nullptr;
}

BOOL CWnd::ShowWindow(int showCommand) {
    return m_hWnd != nullptr ? ::ShowWindow(m_hWnd, showCommand) : FALSE;
}

BOOL CWnd::IsWindowVisible() const {
    return m_hWnd != nullptr ? ::IsWindowVisible(m_hWnd) : FALSE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return m_hWnd != nullptr ? ::EnableWindow(m_hWnd, enable) : FALSE;
}

BOOL CWnd::IsWindowEnabled() const {
    return m_hWnd != nullptr ? ::IsWindowEnabled(m_hWnd) : FALSE;
}

HWND CWnd::SetFocus() {
    return m_hWnd != nullptr ? ::SetFocus(m_hWnd) : nullptr;
}

BOOL CWnd::Invalidate(BOOL erase) {
    return InvalidateRect(nullptr, erase);
}

BOOL CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    return m_hWnd != nullptr ? ::InvalidateRect(m_hWnd, rect, erase) : FALSE;
}

BOOL CWnd::RedrawWindow(const RECT* rect, HRGN region, UINT flags) {
    return m_hWnd != nullptr ? ::RedrawWindow(m_hWnd, rect, region, flags) : FALSE;
}

BOOL CWnd::UpdateWindow() {
    return m_hWnd != nullptr ? ::UpdateWindow(m_hWnd) : FALSE;
}

BOOL CWnd::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return m_hWnd != nullptr ? ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags)
                             : FALSE;
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    return m_hWnd != nullptr ? ::MoveWindow(m_hWnd, x, y, width, height, repaint) : FALSE;
}

BOOL CWnd::GetClientRect(RECT* rect) const {
    return m_hWnd != nullptr && rect != nullptr ? ::GetClientRect(m_hWnd, rect) : FALSE;
}

BOOL CWnd::GetWindowRect(RECT* rect) const {
    return m_hWnd != nullptr && rect != nullptr ? ::GetWindowRect(m_hWnd, rect) : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_hWnd != nullptr ? ::SendMessageW(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return m_hWnd != nullptr ? ::PostMessageW(m_hWnd, message, wParam, lParam) : FALSE;
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? TRUE : FALSE, 0));
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

HRESULT CWnd::SetWindowTheme(LPCWSTR subAppName, LPCWSTR subIdList) {
    return m_hWnd != nullptr ? ::SetWindowTheme(m_hWnd, subAppName, subIdList) : E_HANDLE;
}
