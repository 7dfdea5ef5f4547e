#include "native/VWndWinForm.h"

#include <shellapi.h>

#include <string>

#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"
#include "native/FormPages.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/TarnEnvelopeDialog.h"
#include "native/WindowClass.h"
#include "runtime/WideText.h"

namespace {

constexpr int kDefaultIconId = 100;
constexpr UINT kTrayIconId = 100;
constexpr LRESULT kHasDefaultId = static_cast<LRESULT>(DC_HASDEFID) << 16;
constexpr UINT kFrameChangeFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// A form inside another window rather than a top-level (or owned pop-up) one.
bool IsChildForm(const FormCreateParams& params) {
    return params.parent != nullptr && (params.style & WS_POPUP) == 0;
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

void CVWnd_WinForm::SetDefaultButtonAround(const CWnd* inside, int32_t id) {
    for (HWND hwnd = inside != nullptr ? inside->GetSafeHwnd() : nullptr; hwnd != nullptr;
         hwnd = ::GetAncestor(hwnd, GA_PARENT)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->IsKindOf(&runtimeClass)) {
            static_cast<CVWnd_WinForm*>(wnd)->DefaultButtonId = id;
            return;
        }
    }
}

CVWnd_WinForm::CVWnd_WinForm() {
    Icon = LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(kDefaultIconId));
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
    const HINSTANCE module = AfxGetInstanceHandle();
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
    if (!IsChildForm(params)) {
        PlaceTopLevelForm(params);
    }
    if (params.modal == 0) {
        return CreateFormWindow(params);
    }
    RunModal(params);
    return 1;
}

void CVWnd_WinForm::PlaceTopLevelForm(FormCreateParams& params) const {
    HWND reference = params.parent;
    if (reference == nullptr && AfxGetMainWnd() != nullptr) {
        reference = AfxGetMainWnd()->GetSafeHwnd();
    }
    const POINT place = TopLevelFormPosition(reference, params.x, params.y, params.width,
                                             params.height, StartState == kStartCentred);
    params.x = place.x;
    params.y = place.y;
}

void CVWnd_WinForm::EnterEnvelope(HWND envelope, CRefTarnMenu* menu) {
    envelope_ = envelope;
    TakeMenu(menu, envelope);
}

void CVWnd_WinForm::TakeMenu(CRefTarnMenu* menu, HWND frame) {
    if (menu != Menu) {
        SetMenuObject(menu);
    }
    if (frame != nullptr && Menu != nullptr && Menu->GetMenuHandle() != nullptr) {
        SetMenu(frame, Menu->GetMenuHandle());
        Menu->AttachToWindow(frame, 1);
    }
}

int32_t CVWnd_WinForm::CreateFormWindow(FormCreateParams& params) {
    const bool childForm = IsChildForm(params);
    if (GetSafeHwnd() != nullptr || !CreateWindowOfForm(params, childForm)) {
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
    DressFrame(params);
    const HWND frame = GetFrameWindow();
    if (IsWindow(hwnd) && IsWindow(frame)) {
        ApplyFrameState(frame);
    } // else a handler destroyed it; the creation itself succeeded
    return 1;
}

bool CVWnd_WinForm::CreateWindowOfForm(const FormCreateParams& params, bool childForm) {
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
    return className != nullptr &&
           CreateEx(params.exStyle, className, params.text, params.style, params.x, params.y,
                    params.width, params.height, params.parent, menuOrId);
}

void CVWnd_WinForm::DressFrame(const FormCreateParams& params) {
    UpdateCaptionStyle();
    ApplyFrameIcons(GetFrameWindow());
    if (WindowShape != 0) {
        UpdateWindowShape(WindowShape);
    }
    if (params.font != nullptr) {
        ::SendMessageW(GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(params.font), TRUE);
    }
}

void CVWnd_WinForm::ApplyFrameState(HWND frame) {
    if (TopMost != 0) {
        ::SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (Movable == 0) {
        if (HMENU systemMenu = GetSystemMenu(frame, FALSE)) {
            DeleteMenu(systemMenu, SC_MOVE, MF_BYCOMMAND);
        }
    }
    StartState = ClampStartState(StartState);
    if (::IsWindowVisible(frame) && (GetWindowLongPtrW(frame, GWL_STYLE) & WS_CHILD) == 0) {
        ShowInStartState(frame, StartState);
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

void CVWnd_WinForm::RemoveTrayIcon() {
    if (TrayIcon == nullptr) {
        return;
    }
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = GetSafeHwnd();
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyIcon(TrayIcon);
    TrayIcon = nullptr;
}

void CVWnd_WinForm::CloseHelp() {
    if (helpOpened_ != 0) {
        helpOpened_ = 0;
        WinHelpW(GetSafeHwnd(), nullptr, HELP_QUIT, 0);
    }
}

void CVWnd_WinForm::CleanUpAtDestroy() {
    RemoveTrayIcon();
    firstActivationDone_ = 0;
    inActivation_ = 0;
    CloseHelp();
    if (envelope_ == nullptr) {
        DropMenuFromWindow();
    } else {
        ::PostMessageW(envelope_, tarn_msg::kEnvelopeCommand, tarn_msg::kEnvelopeFormGone, 0);
    }
}

LRESULT CVWnd_WinForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(wParam, lParam);
    case WM_CLOSE:
        return OnClose(wParam, lParam);
    case WM_DESTROY:
        CleanUpAtDestroy();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        break;
    case WM_SETTEXT:
        OnSetText(lParam);
        break;
    case WM_ACTIVATE:
        return OnActivate(wParam, lParam);
    case WM_SIZE:
        return OnSize(wParam, lParam);
    case WM_NCACTIVATE:
    case WM_GETMINMAXINFO:
        if (envelope_ != nullptr) {
            break; // a child of the envelope, which carries the frame
        }
        [[fallthrough]];
    case WM_MENUSELECT:
        return AnswerFrameMessage(GetSafeHwnd(), message, wParam, lParam, [&] {
            return CVWnd_Container::HandleMessage(message, wParam, lParam);
        });
    case DM_GETDEFID:
        return OnGetDefId(wParam, lParam);
    case WM_NEXTDLGCTL:
        return OnNextDialogControl(wParam, lParam);
    default:
        if (const std::optional<LRESULT> answer = OnPrivateMessage(message, wParam, lParam)) {
            return *answer;
        }
        break;
    }
    return CVWnd_Container::HandleMessage(message, wParam, lParam);
}

std::optional<LRESULT> CVWnd_WinForm::OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case tarn_msg::kPreTranslate:
        if (tarn_msg::IsMarker(lParam) && wParam != 0 &&
            tarn_msg::IsTrustedMessage(GetSafeHwnd(), message, wParam, lParam)) {
            return PreTranslateKeyboard(reinterpret_cast<MSG*>(wParam)) ? tarn_msg::kWindowMarker
                                                                        : 0;
        }
        return std::nullopt;
    case tarn_msg::kShowPage:
        if (tarn_msg::IsMarker(lParam)) {
            SwitchPage(reinterpret_cast<HWND>(wParam));
            return tarn_msg::kWindowMarker;
        }
        return std::nullopt;
    case tarn_msg::kTrayNotify:
        return OnTrayNotify(lParam);
    default:
        return std::nullopt;
    }
}

LRESULT CVWnd_WinForm::OnQueryEndSession(WPARAM wParam, LPARAM lParam) {
    if (CVWnd_Container::HandleMessage(WM_QUERYENDSESSION, wParam, lParam) == 0) {
        return 0;
    }
    if (envelope_ != nullptr) {
        return 1; // the envelope asks the form's question
    }
    return formListener_ != nullptr ? formListener_->OnFormQueryClose() : 1;
}

void CVWnd_WinForm::OnShowWindow(WPARAM wParam, LPARAM lParam) {
    if (envelope_ != nullptr && lParam == 0) {
        ::SendMessageW(envelope_, tarn_msg::kEnvelopeCommand, tarn_msg::kEnvelopeShow, wParam);
    }
}

void CVWnd_WinForm::OnSetText(LPARAM lParam) {
    if (envelope_ != nullptr) {
        tarn_msg::SendTrustedMessage(envelope_, tarn_msg::kEnvelopeCommand,
                                     tarn_msg::kEnvelopeSetText, lParam);
    } else {
        // Judged by the text before this change, which the next change shows.
        UpdateCaptionStyle();
    }
}

LRESULT CVWnd_WinForm::OnSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CVWnd_Container::HandleMessage(WM_SIZE, wParam, lParam);
    if (WindowShape != 0 && GetSafeHwnd() != nullptr) {
        UpdateWindowShape(WindowShape);
    }
    return result;
}

LRESULT CVWnd_WinForm::OnClose(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    if (envelope_ != nullptr) {
        // The envelope carries the frame: closing the form is closing it.
        ::SendMessageW(envelope_, WM_CLOSE, 0, 0);
        return 0;
    }
    if (formListener_ != nullptr) {
        if (formListener_->OnFormClose() == 0 || !IsWindow(hwnd) || GetSafeHwnd() != hwnd) {
            return 0;
        }
        if (formListener_ == nullptr || formListener_->OnFormQueryClose() == 0 || !IsWindow(hwnd) ||
            GetSafeHwnd() != hwnd) {
            return 0;
        }
    }
    return CVWnd_Container::HandleMessage(WM_CLOSE, wParam, lParam);
}

LRESULT CVWnd_WinForm::OnActivate(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetSafeHwnd();
    const LRESULT result = CVWnd_Container::HandleMessage(WM_ACTIVATE, wParam, lParam);
    if (formListener_ == nullptr || inActivation_ != 0 || GetSafeHwnd() != hwnd) {
        return result;
    }
    FlagScope guard(inActivation_);
    if (LOWORD(wParam) == WA_INACTIVE) {
        formListener_->OnFormDeactivate();
        return result;
    }
    if (firstActivationDone_ == 0) {
        firstActivationDone_ = 1;
        formListener_->OnFormFirstActivate();
        if (GetSafeHwnd() != hwnd || !IsWindow(hwnd)) {
            return result;
        }
    }
    if (formListener_ != nullptr) {
        formListener_->OnFormActivate();
    }
    return result;
}

bool CVWnd_WinForm::IsFrameMessage(UINT message) {
    return message == WM_NCACTIVATE || message == WM_MENUSELECT || message == WM_GETMINMAXINFO;
}

LRESULT CVWnd_WinForm::AnswerFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                          const std::function<LRESULT()>& runDefault) {
    if (message == WM_NCACTIVATE) {
        if (wParam == FALSE && AlwaysActiveCaption != 0) {
            return ::DefWindowProcW(frame, WM_NCACTIVATE, ::IsWindowEnabled(frame), lParam);
        }
        return runDefault();
    }
    const LRESULT result = runDefault();
    if (message == WM_MENUSELECT) {
        if (formListener_ != nullptr) {
            formListener_->OnFormMenuSelect(MenuSelectItem(wParam, lParam));
        }
    } else if (message == WM_GETMINMAXINFO && lParam != 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {1, 1};
        if (formListener_ != nullptr) {
            formListener_->OnFormGetMinMaxInfo(info);
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
    if (formListener_ != nullptr) {
        const int kind = TrayClickKind(lParam);
        if (kind != 0) {
            formListener_->OnFormTrayIcon(kind);
        }
    }
    return 0;
}

std::optional<LRESULT> CVWnd_WinForm::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0 && keyboard_.DropsCommandFrom(reinterpret_cast<HWND>(lParam))) {
        // Enter reaches only the default push button; any other control's
        // notification made on the way is dropped.
        return LRESULT{0};
    }
    return CVWnd_Container::OnCommand(wParam, lParam);
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

void CVWnd_WinForm::SwitchPage(HWND container) {
    ShowChildrenByPage(GetSafeHwnd(), container);
}
