#include "native/TarnEnvelopeDialog.h"

#include "native/FormStyles.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/TarnWnd.h"
#include "native/VWndWinForm.h"

namespace {

// The child id and styles of the form's window inside the envelope.
constexpr int32_t kFormWindowId = 0xFFFF;
constexpr DWORD kFormWindowStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFormWindowExStyle = WS_EX_CONTROLPARENT;

} // namespace

CTarnEnvelopeDialog::CTarnEnvelopeDialog(CVWnd_WinForm& form, FormCreateParams& params,
                                         const CDialogTemplate& dialogTemplate, HWND owner)
    : CRuntimeKind(dialogTemplate, owner), m_form(form), m_params(params) {}

BOOL CTarnEnvelopeDialog::PreTranslateMessage(MSG* msg) {
    if (msg == nullptr || !tarn_msg::IsInputMessage(msg->message) ||
        m_form.GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    return m_form.PreTranslateKeyboard(msg) ? TRUE : FALSE;
}

bool CTarnEnvelopeDialog::UsesDialogNavigation() const {
    return false;
}

bool CTarnEnvelopeDialog::ShowsWhenRunStarts() const {
    return !m_hiddenByForm;
}

LRESULT CTarnEnvelopeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    // The marker protocol, answered without state: the envelope is on no
    // page and not visible in its own right.
    if (const std::optional<LRESULT> answer =
            AnswerMarkerAndFilters(hwnd, message, wParam, lParam, Filters, nullptr, nullptr)) {
        return *answer;
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT CTarnEnvelopeDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    switch (message) {
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(wParam, lParam);
    case WM_CLOSE:
        OnCloseRequest();
        return 0;
    case WM_PAINT:
        if (IsIconic(hwnd) && m_form.Icon != nullptr) {
            PaintMinimized();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_form.Icon);
    case WM_SIZE: {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        FillClientWithForm();
        return result;
    }
    case WM_DESTROY:
        m_closing = true;
        m_form.DropMenuFromWindow();
        break;
    case WM_SETFOCUS:
        return OnSetFocus(wParam, lParam);
    case tarn_msg::kEnvelopeCommand:
        OnEnvelopeCommand(wParam, lParam);
        return 0;
    default:
        if (CVWnd_WinForm::IsFrameMessage(message)) {
            return m_form.AnswerFrameMessage(hwnd, message, wParam, lParam, [&] {
                return CDialog::WindowProc(message, wParam, lParam);
            });
        }
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

LRESULT CTarnEnvelopeDialog::OnQueryEndSession(WPARAM wParam, LPARAM lParam) {
    if (CDialog::WindowProc(WM_QUERYENDSESSION, wParam, lParam) == 0) {
        return 0;
    }
    IWinFormEventListener* listener = m_form.GetFormListener();
    return listener != nullptr ? listener->OnFormQueryClose() : 1;
}

void CTarnEnvelopeDialog::OnCloseRequest() {
    // Escape and the close box end the run with -1 unless the form's
    // closing handler refuses; the end-of-session question is not asked.
    const HWND hwnd = GetSafeHwnd();
    IWinFormEventListener* listener = m_form.GetFormListener();
    if (listener != nullptr && (listener->OnFormClose() == 0 || !IsWindow(hwnd))) {
        return;
    }
    OnCancel();
}

LRESULT CTarnEnvelopeDialog::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CDialog::WindowProc(WM_SETFOCUS, wParam, lParam);
    if (m_form.GetSafeHwnd() != nullptr) {
        ::SetFocus(m_form.GetSafeHwnd());
    }
    return result;
}

void CTarnEnvelopeDialog::OnEnvelopeCommand(WPARAM command, LPARAM value) {
    switch (command) {
    case tarn_msg::kEnvelopeFormGone:
        if (!m_closing) {
            EndDialog(-1);
        }
        break;
    case tarn_msg::kEnvelopeShow:
        m_hiddenByForm = value == 0;
        ShowWindow(value != 0 ? SW_SHOW : SW_HIDE);
        break;
    case tarn_msg::kEnvelopeEnd:
        EndDialog(static_cast<INT_PTR>(static_cast<int32_t>(value)));
        break;
    case tarn_msg::kEnvelopeSetText:
        // A text pointer is followed only when the form itself sent it.
        if (value != 0 &&
            tarn_msg::IsTrustedMessage(GetSafeHwnd(), tarn_msg::kEnvelopeCommand, command, value)) {
            ::SetWindowTextW(GetSafeHwnd(), reinterpret_cast<LPCWSTR>(value));
        }
        break;
    default:
        break;
    }
}

std::optional<LRESULT> CTarnEnvelopeDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    IContainerEventListener* listener =
        m_form.GetFormListener() != nullptr ? m_form.GetListener() : nullptr;
    if (lParam == 0 && listener != nullptr && listener->OnWindowCommand(LOWORD(wParam)) != 0) {
        return LRESULT{0};
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CTarnEnvelopeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    const HWND hwnd = GetSafeHwnd();
    m_form.EnterEnvelope(hwnd, m_params.menu);
    PlaceAroundFormClient();
    ::SetWindowTextW(hwnd, m_params.text);

    RECT client = {};
    GetClientRect(&client);
    FormCreateParams inner = m_params;
    inner.parent = hwnd;
    inner.x = 0;
    inner.y = 0;
    inner.width = client.right;
    inner.height = client.bottom;
    inner.style = kFormWindowStyle;
    inner.exStyle = kFormWindowExStyle;
    inner.id = kFormWindowId;
    inner.page = -1;
    inner.menu = nullptr;
    inner.modal = 0;
    if (m_form.CreateFormWindow(inner) == 0 || m_form.GetSafeHwnd() == nullptr) {
        EndDialog(-1);
        return FALSE;
    }
    // The default id stays with the form, which answers for it. Told to the
    // envelope, the platform's dialog manager would look for the button
    // among the envelope's own children only, miss it inside the form's
    // window and take the default look away from it.
    ::SetFocus(m_form.GetSafeHwnd());
    if (m_form.GetFormListener() != nullptr && m_form.GetSafeHwnd() != nullptr) {
        m_form.GetFormListener()->OnFormModalShown();
    }
    return FALSE; // the focus is placed already
}

void CTarnEnvelopeDialog::PlaceAroundFormClient() {
    const HWND hwnd = GetSafeHwnd();
    const BOOL hasMenu = ::GetMenu(hwnd) != nullptr;
    // The frame widths of a window with the form's styles.
    RECT probe = {200, 200, 300, 300};
    AdjustWindowRectEx(&probe, m_params.style, hasMenu, m_params.exStyle);
    const int frameLeft = 200 - probe.left;
    const int frameTop = 200 - probe.top;
    const int frameRight = probe.right - 300;
    const int frameBottom = probe.bottom - 300;
    RECT client = {m_params.x + frameLeft, m_params.y + frameTop,
                   m_params.x + m_params.width - frameRight,
                   m_params.y + m_params.height - frameBottom};
    if (client.right < client.left) {
        client.right = client.left;
    }
    if (client.bottom < client.top) {
        client.bottom = client.top;
    }
    if (m_params.fixedDialogFrame == 0 && (m_params.style & WS_BORDER) == 0 &&
        (GetStyle() & WS_BORDER) != 0) {
        ModifyStyle(WS_BORDER, 0);
    }
    RECT outer = client;
    AdjustWindowRectEx(&outer, GetStyle(), hasMenu, GetExStyle());
    SetWindowPos(nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CTarnEnvelopeDialog::FillClientWithForm() {
    const HWND form = m_form.GetSafeHwnd();
    if (form == nullptr || ::GetParent(form) != GetSafeHwnd()) {
        return;
    }
    RECT client = {};
    GetClientRect(&client);
    ::MoveWindow(form, 0, 0, client.right, client.bottom, TRUE);
}

void CTarnEnvelopeDialog::PaintMinimized() {
    const HWND hwnd = GetSafeHwnd();
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc == nullptr) {
        return;
    }
    ::SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_form.Icon);
    EndPaint(hwnd, &paint);
}

void CTarnEnvelopeDialog::OnCancel() {
    EndDialog(-1);
}

void CTarnEnvelopeDialog::OnOK() {}
