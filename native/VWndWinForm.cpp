#include "native/VWndWinForm.h"

#include <shellapi.h>

#include <string>

#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"
#include "native/FocusFirstChild.h"
#include "native/HintToolTip.h"
#include "native/KeyCode.h"
#include "native/ModuleInstance.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/TarnEnvelopeDialog.h"
#include "native/WindowClass.h"
#include "runtime/WideText.h"

namespace {

constexpr int kDefaultIconId = 100;
constexpr UINT kTrayIconId = 100;
constexpr LRESULT kHasDefaultId = 0x534B0000; // DC_HASDEFID in the high word
constexpr UINT kFrameChangeFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED; // 0x37

// Key codes (virtual key with the modifier bits) the pre-translation acts on.
constexpr uint32_t kKeyTab = VK_TAB;
constexpr uint32_t kKeyShiftTab = 0x8000 | VK_TAB;
constexpr uint32_t kKeyEnter = VK_RETURN;
constexpr uint32_t kKeyEscape = VK_ESCAPE;
constexpr uint32_t kKeyF1 = VK_F1;
constexpr uint32_t kEditKeys[] = {0x2041, 0x2043, 0x2056, 0x2058}; // Ctrl+A, C, V, X

bool HasClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[64] = {}; // longer names cannot match the short names asked for
    return hwnd != nullptr && GetClassNameW(hwnd, name, 64) > 0 && lstrcmpiW(name, className) == 0;
}

bool IsEditWindow(HWND hwnd) {
    return HasClass(hwnd, L"Edit");
}

bool IsCharacterMessage(UINT message) {
    switch (message) {
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_UNICHAR:
        return true;
    default:
        return false;
    }
}

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= 0x109;
}

// A push button that the platform draws as the default one.
bool IsDefaultPushButton(HWND hwnd) {
    return HasClass(hwnd, L"BUTTON") &&
           (GetWindowLongPtrW(hwnd, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

// The whole rectangle of the monitor nearest to window, or the screen.
RECT MonitorRectOf(HWND window) {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window == nullptr) {
        return screen;
    }
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        return screen;
    }
    return info.rcMonitor;
}

std::wstring WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// Resets a flag on every way out of a scope.
class FlagScope {
public:
    explicit FlagScope(uint64_t& flag) : m_flag(flag) { m_flag = 1; }
    ~FlagScope() { m_flag = 0; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    uint64_t& m_flag;
};

} // namespace

CVWnd_WinForm::CVWnd_WinForm() {
    Icon = LoadIconW(GetTarnModuleInstance(), MAKEINTRESOURCEW(kDefaultIconId));
}

CVWnd_WinForm::~CVWnd_WinForm() {
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
    SetMenuObject(nullptr);
    if (TrayIcon != nullptr) {
        DestroyIcon(TrayIcon);
        TrayIcon = nullptr;
    }
}

void CVWnd_WinForm::ApplyFrameIcons(HWND frame) {
    const HINSTANCE module = GetTarnModuleInstance();
    // Both loads are shared: the same handle on every call, never destroyed.
    const HICON defaultIcon = LoadIconW(module, MAKEINTRESOURCEW(kDefaultIconId));
    if (Icon == nullptr) {
        Icon = defaultIcon;
    }
    // The default group holds an image at the small size, which the title bar
    // and the task switcher show unscaled; an icon of the program's own is
    // one image, used for both.
    HICON small = Icon;
    if (Icon == defaultIcon) {
        if (HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(kDefaultIconId), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                      LR_SHARED)) {
            small = static_cast<HICON>(image);
        }
    }
    ::SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    ::SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
}

FormFrameOptions CVWnd_WinForm::FrameOptions() const {
    return FormFrameOptions{BorderStyle, ControlBox != 0, MaxButton != 0, MinButton != 0,
                            StartState};
}

HWND CVWnd_WinForm::GetFrameWindow() const {
    return envelope_ != nullptr ? envelope_ : GetSafeHwnd();
}

void CVWnd_WinForm::SetMenuObject(CRefTarnMenu* menu) {
    if (menu == Menu) {
        return;
    }
    if (menu != nullptr) {
        menu->AddRef();
    }
    CRefTarnMenu* old = Menu;
    Menu = menu;
    if (old != nullptr) {
        old->AttachToWindow(nullptr, 0);
    }
    const HWND frame = GetFrameWindow();
    if (frame != nullptr && (GetWindowLongPtrW(frame, GWL_STYLE) & WS_CHILD) == 0) {
        // The window gives the old handle back before the menu object can go.
        SetMenu(frame, Menu != nullptr ? Menu->GetMenuHandle() : nullptr);
        if (Menu != nullptr) {
            Menu->AttachToWindow(frame, 1);
        }
    }
    if (old != nullptr) {
        old->Release();
    }
}

void CVWnd_WinForm::DropMenuFromWindow() {
    const HWND frame = GetFrameWindow();
    if (frame != nullptr && Menu != nullptr && ::GetMenu(frame) == Menu->GetMenuHandle() &&
        Menu->GetMenuHandle() != nullptr) {
        // The platform would destroy a menu still shown by a window that
        // goes; the menu object destroys it when its last reference goes.
        SetMenu(frame, nullptr);
        Menu->AttachToWindow(nullptr, 0);
    }
}

int32_t CVWnd_WinForm::CreateForm(FormCreateParams& params) {
    envelope_ = nullptr;
    const bool childForm = params.parent != nullptr && (params.style & WS_POPUP) == 0;
    if (!childForm) {
        HWND reference = params.parent;
        if (reference == nullptr && AfxGetMainWnd() != nullptr) {
            reference = AfxGetMainWnd()->GetSafeHwnd();
        }
        const RECT area = MonitorRectOf(reference);
        if (StartState == 1) {
            params.x = (area.left + area.right - params.width) / 2;
            params.y = (area.top + area.bottom - params.height) / 2;
        } else {
            params.x += area.left;
            params.y += area.top;
        }
    }
    if (params.modal == 0) {
        return CreateFormWindow(params);
    }
    RunModal(params);
    return 1;
}

void CVWnd_WinForm::TakeMenu(const FormCreateParams& params, HWND frame) {
    if (params.menu != Menu) {
        SetMenuObject(params.menu);
    }
    if (frame != nullptr && Menu != nullptr && Menu->GetMenuHandle() != nullptr) {
        SetMenu(frame, Menu->GetMenuHandle());
        Menu->AttachToWindow(frame, 1);
    }
}

int32_t CVWnd_WinForm::CreateFormWindow(FormCreateParams& params) {
    if (GetSafeHwnd() != nullptr) {
        return 0;
    }
    const bool childForm = params.parent != nullptr && (params.style & WS_POPUP) == 0;
    HMENU menuOrId = nullptr;
    if (childForm) {
        // Inside an envelope the envelope shows the menu, and the form keeps it.
        if (envelope_ == nullptr) {
            SetMenuObject(nullptr);
        }
        menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(params.id));
    } else {
        if (params.menu != Menu) {
            SetMenuObject(params.menu);
        }
        menuOrId = Menu != nullptr ? Menu->GetMenuHandle() : nullptr;
    }

    const wchar_t* className =
        RegisterTarnWindowClass(ClassName.IsEmpty() ? L"TarnWinForm" : ToWide(ClassName.GetText()));
    if (className == nullptr ||
        !CreateEx(params.exStyle, className, params.text, params.style, params.x, params.y,
                  params.width, params.height, params.parent, menuOrId)) {
        return 0;
    }
    const HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr) {
        return 0; // destroyed while it was being created
    }
    if (!childForm && Menu != nullptr && Menu->GetMenuHandle() != nullptr) {
        Menu->AttachToWindow(hwnd, 1);
    }
    if (envelope_ == nullptr) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, tarn_msg::kWindowMarker);
    }
    UpdateCaptionStyle();
    const HWND target = GetFrameWindow();
    ApplyFrameIcons(target);
    if (WindowShape != 0) {
        UpdateWindowShape(WindowShape);
    }
    if (params.font != nullptr) {
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(params.font), TRUE);
    }
    if (!IsWindow(hwnd) || !IsWindow(target)) {
        return 1; // a handler destroyed it; the creation itself succeeded
    }
    if (TopMost != 0) {
        ::SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (Movable == 0) {
        if (HMENU systemMenu = GetSystemMenu(target, FALSE)) {
            DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);
        }
    }
    StartState = StartState < 0 ? 0 : (StartState > 3 ? 3 : StartState);
    if (::IsWindowVisible(target) && (GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) == 0) {
        ApplyStartState(target);
    }
    return 1;
}

void CVWnd_WinForm::ApplyStartState(HWND target) {
    switch (StartState) {
    case 1: {
        if (IsIconic(target) || IsZoomed(target)) {
            ::ShowWindow(target, SW_RESTORE);
        }
        RECT window = {};
        ::GetWindowRect(target, &window);
        const RECT area = MonitorRectOf(target);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        const int x = (area.left + area.right - width) / 2;
        const int y = (area.top + area.bottom - height) / 2;
        if (x != window.left || y != window.top) {
            ::SetWindowPos(target, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    }
    case 2:
        ::ShowWindow(target, SW_SHOWMINIMIZED);
        break;
    case 3:
        ::ShowWindow(target, SW_SHOWMAXIMIZED);
        break;
    default:
        ::ShowWindow(target, SW_SHOWNORMAL);
        break;
    }
}

void CVWnd_WinForm::UpdateCaptionStyle() {
    const HWND target = GetFrameWindow();
    if (target == nullptr) {
        return;
    }
    const DWORD bits = ComputeCaptionStyleBits(FrameOptions(), WindowText(target));
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(target, GWL_STYLE));
    if ((style & kCaptionStyleMask) != bits) {
        SetWindowLongPtrW(target, GWL_STYLE, (style & ~kCaptionStyleMask) | bits);
        ::SetWindowPos(target, nullptr, 0, 0, 0, 0, kFrameChangeFlags);
    }
}

void CVWnd_WinForm::UpdateWindowShape(int64_t shape) {
    WindowShape = ClampWindowShape(shape);
    const HWND target = GetFrameWindow();
    if (target == nullptr || applyingShape_) {
        return;
    }
    applyingShape_ = true;
    if (WindowShape == 0) {
        SetWindowRgn(target, nullptr, TRUE);
    } else {
        RECT window = {};
        ::GetWindowRect(target, &window);
        HRGN region = CreateWindowShapeRegion(WindowShape, window.right - window.left,
                                              window.bottom - window.top);
        // The window owns the region from here on; a refused region is ours to free.
        if (region != nullptr && SetWindowRgn(target, region, TRUE) == 0) {
            DeleteObject(region);
        }
    }
    applyingShape_ = false;
}

int32_t CVWnd_WinForm::RunModal(FormCreateParams& params) {
    const EnvelopeStyles styles =
        ComputeEnvelopeStyles(params.style, params.exStyle, params.fixedDialogFrame != 0);
    if (params.fixedDialogFrame != 0) {
        BorderStyle = 2;
        ControlBox = 1;
        MaxButton = 0;
        MinButton = 0;
    }
    // The envelope is shown by the run, not by its creation, so that a form
    // that hides itself while it is made stays hidden.
    const CDialogTemplate dialogTemplate(styles.style & ~WS_VISIBLE, styles.exStyle, 0, 0, 0, 0);
    const HWND focus = GetFocus();
    params.modalResult = -1;
    {
        CTarnEnvelopeDialog dialog(*this, params, dialogTemplate, params.parent);
        params.modalResult = static_cast<int32_t>(dialog.DoModal());
    }
    envelope_ = nullptr;
    if (focus != nullptr && IsWindow(focus)) {
        ::SetFocus(focus);
    }
    return params.modalResult;
}

void CVWnd_WinForm::CleanUpAtDestroy() {
    const HWND hwnd = GetSafeHwnd();
    if (TrayIcon != nullptr) {
        NOTIFYICONDATAW data = {};
        data.cbSize = sizeof(data);
        data.hWnd = hwnd;
        data.uID = kTrayIconId;
        Shell_NotifyIconW(NIM_DELETE, &data);
        DestroyIcon(TrayIcon);
        TrayIcon = nullptr;
    }
    firstActivationDone_ = 0;
    inActivation_ = 0;
    if (helpOpened_ != 0) {
        helpOpened_ = 0;
        WinHelpW(hwnd, nullptr, HELP_QUIT, 0);
    }
    if (envelope_ == nullptr) {
        DropMenuFromWindow();
    } else {
        ::PostMessageW(envelope_, tarn_msg::kEnvelopeCommand, 1, 0);
    }
}

LRESULT CVWnd_WinForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION: {
        if (CVWnd_Container::HandleMessage(message, wParam, lParam) == 0) {
            return 0;
        }
        if (envelope_ != nullptr) {
            return 1;
        }
        return FormListener != nullptr ? FormListener->OnFormQueryClose() : 1;
    }
    case WM_CLOSE:
        return OnClose(wParam, lParam);
    case WM_DESTROY:
        CleanUpAtDestroy();
        break;
    case WM_SHOWWINDOW:
        if (envelope_ != nullptr && lParam == 0) {
            ::SendMessageW(envelope_, tarn_msg::kEnvelopeCommand, 2, wParam);
        }
        break;
    case WM_SETTEXT:
        if (envelope_ != nullptr) {
            tarn_msg::SendTrustedMessage(envelope_, tarn_msg::kEnvelopeCommand, 4, lParam);
        } else {
            UpdateCaptionStyle();
        }
        break;
    case WM_ACTIVATE:
        return OnActivate(wParam, lParam);
    case WM_SIZE: {
        const LRESULT result = CVWnd_Container::HandleMessage(message, wParam, lParam);
        if (WindowShape != 0 && GetSafeHwnd() != nullptr) {
            UpdateWindowShape(WindowShape);
        }
        return result;
    }
    case WM_NCACTIVATE:
        return OnNcActivate(wParam, lParam);
    case WM_MENUSELECT:
        return OnMenuSelect(wParam, lParam);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(wParam, lParam);
    case DM_GETDEFID:
        return OnGetDefId(wParam, lParam);
    case WM_NEXTDLGCTL:
        return OnNextDialogControl(wParam, lParam);
    case tarn_msg::kPreTranslate:
        if (tarn_msg::IsMarker(lParam) && wParam != 0 &&
            tarn_msg::IsTrustedMessage(GetSafeHwnd(), message, wParam, lParam)) {
            return PreTranslateKeyboard(reinterpret_cast<MSG*>(wParam)) ? tarn_msg::kWindowMarker
                                                                        : 0;
        }
        break;
    case tarn_msg::kShowPage:
        if (tarn_msg::IsMarker(lParam)) {
            SwitchPage(reinterpret_cast<HWND>(wParam));
            return tarn_msg::kWindowMarker;
        }
        break;
    case tarn_msg::kTrayNotify:
        return OnTrayNotify(lParam);
    default:
        break;
    }
    return CVWnd_Container::HandleMessage(message, wParam, lParam);
}

LRESULT CVWnd_WinForm::OnClose(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    if (envelope_ != nullptr) {
        // The envelope carries the frame: closing the form is closing it.
        ::SendMessageW(envelope_, WM_CLOSE, 0, 0);
        return 0;
    }
    if (FormListener != nullptr) {
        if (FormListener->OnFormClose() == 0 || !IsWindow(hwnd) || GetSafeHwnd() != hwnd) {
            return 0;
        }
        if (FormListener == nullptr || FormListener->OnFormQueryClose() == 0 || !IsWindow(hwnd) ||
            GetSafeHwnd() != hwnd) {
            return 0;
        }
    }
    return CVWnd_Container::HandleMessage(WM_CLOSE, wParam, lParam);
}

LRESULT CVWnd_WinForm::OnActivate(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    const LRESULT result = CVWnd_Container::HandleMessage(WM_ACTIVATE, wParam, lParam);
    if (FormListener == nullptr || inActivation_ != 0 || GetSafeHwnd() != hwnd) {
        return result;
    }
    FlagScope guard(inActivation_);
    if (LOWORD(wParam) == WA_INACTIVE) {
        FormListener->OnFormDeactivate();
        return result;
    }
    if (firstActivationDone_ == 0) {
        firstActivationDone_ = 1;
        FormListener->OnFormFirstActivate();
        if (GetSafeHwnd() != hwnd || !IsWindow(hwnd)) {
            return result;
        }
    }
    if (FormListener != nullptr) {
        FormListener->OnFormActivate();
    }
    return result;
}

LRESULT CVWnd_WinForm::OnNcActivate(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    if (wParam == FALSE && envelope_ == nullptr && AlwaysActiveCaption != 0) {
        return ::DefWindowProcW(hwnd, WM_NCACTIVATE, ::IsWindowEnabled(hwnd), lParam);
    }
    return CVWnd_Container::HandleMessage(WM_NCACTIVATE, wParam, lParam);
}

LRESULT CVWnd_WinForm::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CVWnd_Container::HandleMessage(WM_MENUSELECT, wParam, lParam);
    if (FormListener != nullptr) {
        FormListener->OnFormMenuSelect(MenuSelectItem(wParam, lParam));
    }
    return result;
}

LRESULT CVWnd_WinForm::OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CVWnd_Container::HandleMessage(WM_GETMINMAXINFO, wParam, lParam);
    if (envelope_ == nullptr && lParam != 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {1, 1};
        if (FormListener != nullptr) {
            FormListener->OnFormGetMinMaxInfo(info);
        }
    }
    return result;
}

bool CVWnd_WinForm::HasEnabledDescendantWithId(HWND parent, int id) const {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id) {
            return true;
        }
        if (::IsWindowVisible(child) && ::IsWindowEnabled(child) &&
            HasEnabledDescendantWithId(child, id)) {
            return true;
        }
    }
    return false;
}

LRESULT CVWnd_WinForm::OnGetDefId(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    if (DefaultButtonId != 0 && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd) &&
        HasEnabledDescendantWithId(hwnd, DefaultButtonId)) {
        return kHasDefaultId | static_cast<LRESULT>(static_cast<uint16_t>(DefaultButtonId));
    }
    return CVWnd_Container::HandleMessage(DM_GETDEFID, wParam, lParam);
}

LRESULT CVWnd_WinForm::OnNextDialogControl(WPARAM wParam, LPARAM lParam) {
    // As the platform's dialog manager: a window given by handle, or the
    // next (wParam 0) or previous tab stop from the focus, wrapping around.
    const HWND hwnd = GetSafeHwnd();
    HWND target = nullptr;
    if (LOWORD(lParam) != 0) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        HWND focus = GetFocus();
        if (focus != nullptr && !IsChild(hwnd, focus)) {
            focus = nullptr;
        }
        target = GetNextDlgTabItem(hwnd, focus, wParam != 0);
    }
    if (target != nullptr && IsChild(hwnd, target)) {
        ::SetFocus(target);
        if ((::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
            ::SendMessageW(target, EM_SETSEL, 0, -1);
        }
    }
    return 0;
}

LRESULT CVWnd_WinForm::OnTrayNotify(LPARAM lParam) {
    if (FormListener != nullptr) {
        const int kind = TrayClickKind(lParam);
        if (kind != 0) {
            FormListener->OnFormTrayIcon(kind);
        }
    }
    return 0;
}

std::optional<LRESULT> CVWnd_WinForm::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0 && enterInProgress_ != 0 &&
        !IsDefaultPushButton(reinterpret_cast<HWND>(lParam))) {
        // Enter reaches only the default push button; any other control's
        // notification made on the way is dropped.
        return LRESULT{0};
    }
    return CVWnd_Container::OnCommand(wParam, lParam);
}

bool CVWnd_WinForm::IsInsideWantingControl(HWND from, uint32_t key) const {
    const HWND hwnd = GetSafeHwnd();
    for (HWND window = from; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->IsKindOf("CVWnd_OcxControl")) {
            const LRESULT code = ::SendMessageW(window, WM_GETDLGCODE, key, 0);
            const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
            if ((code & DLGC_WANTALLKEYS) != 0 || (key == VK_TAB && (code & DLGC_WANTTAB) != 0) ||
                (arrow && (code & DLGC_WANTARROWS) != 0)) {
                return true;
            }
        }
        if (window == hwnd) {
            break;
        }
    }
    return false;
}

bool CVWnd_WinForm::OpenHelp() {
    if (HelpFile.IsEmpty()) {
        return false;
    }
    const std::wstring path = ResolveHelpFilePath(ToWide(HelpFile.GetText()), GetProgramPath());
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    helpOpened_ = 1;
    if (HelpContext != 0) {
        WinHelpW(GetSafeHwnd(), path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(HelpContext));
    } else {
        WinHelpW(GetSafeHwnd(), path.c_str(), HELP_FINDER, 0);
    }
    return true;
}

bool CVWnd_WinForm::PreTranslateKeyboard(MSG* msg) {
    const HWND hwnd = GetSafeHwnd();
    if (hwnd == nullptr || msg == nullptr) {
        return false;
    }
    if (FormListener != nullptr) {
        if (FormListener->OnFormPreTranslate(msg) != 0 || GetSafeHwnd() != hwnd) {
            return true;
        }
    }
    RelayToToolTip(ToolTip.get(), *msg);

    uint32_t key = 0;
    if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
        key = NormalizeKeyCode(msg->wParam);
    }
    bool passOn = !IsCharacterMessage(msg->message);

    if (key != 0) {
        if (!::IsWindowEnabled(msg->hwnd)) {
            return false;
        }
        if (key == kKeyEscape) {
            const bool multiLineEdit =
                IsEditWindow(msg->hwnd) &&
                (GetWindowLongPtrW(msg->hwnd, GWL_STYLE) & ES_MULTILINE) != 0;
            if (multiLineEdit) {
                return false; // Escape has a meaning of its own there
            }
            if (EscapeCloses != 0 || envelope_ != nullptr) {
                // Closed as by the close box, so a closing handler may refuse.
                ::PostMessageW(GetFrameWindow(), WM_CLOSE, 0, 0);
                return true;
            }
            passOn = false;
        }
    }

    if (DragByClient != 0 && msg->message == WM_LBUTTONDOWN) {
        if (msg->hwnd == hwnd ||
            (::SendMessageW(msg->hwnd, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) != 0) {
            ::PostMessageW(GetFrameWindow(), WM_NCLBUTTONDOWN, HTCAPTION,
                           MAKELPARAM(msg->pt.x, msg->pt.y));
            return true;
        }
    }

    if (key != 0) {
        for (uint32_t editKey : kEditKeys) {
            if (key == editKey && IsEditWindow(msg->hwnd)) {
                return false;
            }
        }
        HACCEL accelerators = Menu != nullptr ? Menu->GetAcceleratorTable() : nullptr;
        if (accelerators != nullptr && IsKeyboardMessage(msg->message) &&
            TranslateAcceleratorW(hwnd, accelerators, msg) != 0) {
            return true;
        }
        if ((key == kKeyTab || key == kKeyShiftTab) && IsEditWindow(msg->hwnd)) {
            const HWND next = GetNextDlgTabItem(hwnd, msg->hwnd, key == kKeyShiftTab);
            if (next != nullptr && next != msg->hwnd) {
                ::SendMessageW(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
                return true;
            }
        }
        if (key == kKeyEnter && DefaultButtonId == 0) {
            passOn = false;
        }
        if (key == kKeyF1 && OpenHelp()) {
            return true;
        }
        const bool navigationKey =
            key == kKeyTab || key == kKeyEnter || (key >= VK_LEFT && key <= VK_DOWN);
        if (navigationKey && IsInsideWantingControl(msg->hwnd, key)) {
            return false;
        }
    }

    if (!passOn) {
        return false;
    }
    enterInProgress_ = key == kKeyEnter ? 1 : 0;
    const bool handled = IsDialogMessageW(hwnd, msg) != FALSE;
    enterInProgress_ = 0;
    return handled;
}

void CVWnd_WinForm::SwitchPage(HWND container) {
    int32_t page = -1;
    // Any program may name any window here: only a container inside this
    // form, on this thread, is asked, so that no send can wait on another.
    if (container == nullptr || !IsChild(GetSafeHwnd(), container) ||
        GetWindowThreadProcessId(container, nullptr) != GetCurrentThreadId() ||
        tarn_msg::SendTrustedMessage(container, tarn_msg::kReadCurrentPage,
                                     reinterpret_cast<WPARAM>(&page)) != tarn_msg::kWindowMarker ||
        page < 0) {
        return;
    }
    for (HWND child = GetWindow(container, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        int32_t childPage = -1;
        if (tarn_msg::SendTrustedMessage(child, tarn_msg::kReadPage,
                                         reinterpret_cast<WPARAM>(&childPage)) !=
                tarn_msg::kWindowMarker ||
            childPage < 0) {
            continue;
        }
        int32_t ownVisibility = 1;
        const bool answered =
            tarn_msg::SendTrustedMessage(child, tarn_msg::kReadPageFlag,
                                         reinterpret_cast<WPARAM>(&ownVisibility)) ==
            tarn_msg::kWindowMarker;
        const bool show = childPage == page && (!answered || ownVisibility != 0);
        ::ShowWindow(child, show ? SW_SHOWNA : SW_HIDE);
        ::UpdateWindow(child);
    }
    ::InvalidateRect(container, nullptr, FALSE);
    FocusFirstChild(container);
}
