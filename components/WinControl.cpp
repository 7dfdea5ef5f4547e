#include "components/WinControl.h"

#include <shellapi.h>

#include <vector>

#include "components/FontDescription.h"
#include "framework/DropList.h"
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"
#include "native/KeyCode.h"
#include "native/PrivateMessages.h"
#include "native/VWndContainer.h"
#include "runtime/ObjectStream.h"
#include "runtime/TextArray.h"
#include "runtime/WideText.h"

namespace rg_tarn_MFCJieMian_base {

namespace {

bool SameUnits(const CWString& a, const CWString& b) {
    const char16_t* x = a.GetText();
    const char16_t* y = b.GetText();
    while (*x != 0 && *x == *y) {
        ++x;
        ++y;
    }
    return *x == *y;
}

// The modifiers of a mouse message: Ctrl and Shift from its key flags, Alt
// from the keyboard state now.
uint32_t MouseModifiers(WPARAM wParam) {
    uint32_t modifiers = 0;
    if ((wParam & MK_CONTROL) != 0) {
        modifiers |= kModifierCtrl;
    }
    if ((wParam & MK_SHIFT) != 0) {
        modifiers |= kModifierShift;
    }
    if (GetKeyState(VK_MENU) < 0) {
        modifiers |= kModifierAlt;
    }
    return modifiers;
}

int32_t Consumed(int32_t handlerResult) {
    return handlerResult != 0 ? 1 : 0;
}

// A container window (the window of layout managers and forms) repaints
// its text itself.
bool RepaintsOwnText(const CWnd& window) {
    return window.IsKindOf(&CVWnd_Container::runtimeClass);
}

} // namespace

bool CTarnWinControl::IsEqual(const CTarnObject& other) const {
    if (!HeaderEquals(other)) {
        return false;
    }
    const auto& control = static_cast<const CTarnWinControl&>(other);
    return GetRef() == control.GetRef() && SameUnits(ObjectText, control.ObjectText);
}

void CTarnWinControl::Reset() {
    auto* fresh = static_cast<CTarnWinControl*>(CreateNew());
    CTarnWinControl::operator=(*fresh);
    ::FreeObject(fresh);
}

void CTarnWinControl::LoadFrom(CTarnObjectStream& stream) {
    if (stream.GetError() == CTarnObjectStream::kOk) {
        ObjectText.LoadFrom(stream);
    }
}

void CTarnWinControl::SaveTo(CTarnObjectStream& stream) const {
    if (stream.GetError() == CTarnObjectStream::kOk) {
        ObjectText.SaveTo(stream);
    }
}

void CTarnWinControl::BeforeOverwrite() {
    DetachListener();
}

int32_t CTarnWinControl::CreateNative(ControlCreateInfo&) {
    return 0;
}

void CTarnWinControl::PrepareCreate(ControlCreateInfo& info) {
    CMfcWndObject* holder = GetHolder();
    info.text = holder != nullptr ? holder->PendingText.GetText() : u"";
    info.style = holder != nullptr ? holder->Style : 0;
    info.exStyle = holder != nullptr ? holder->ExStyle : 0;
    if (info.parentWindow != nullptr && (info.style & WS_POPUP) == 0) {
        info.style |= WS_CHILD;
    } else {
        info.style &= ~static_cast<uint32_t>(WS_CHILD);
    }
    if (holder != nullptr && holder->GetFont() == nullptr) {
        holder->SetFont(MakeDefaultControlFont());
    }
    info.font = holder != nullptr ? holder->GetFont() : nullptr;
}

void CTarnWinControl::AdjustCreate(ControlCreateInfo&) {}

void CTarnWinControl::AfterCreate(CWnd* nativeWindow, ControlCreateInfo& info) {
    if (nativeWindow == nullptr || nativeWindow->GetSafeHwnd() == nullptr) {
        return;
    }
    if (info.font != nullptr) {
        nativeWindow->SetFont(info.font, TRUE);
    }
    constexpr UINT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    if ((info.style & WS_TABSTOP) == 0 &&
        (nativeWindow->SendMessage(WM_GETDLGCODE) & kWantsKeys) != 0) {
        nativeWindow->ModifyStyle(0, WS_TABSTOP,
                                  SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if ((info.style & WS_BORDER) == 0 && (nativeWindow->GetStyle() & WS_BORDER) != 0) {
        nativeWindow->ModifyStyle(WS_BORDER, 0,
                                  SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                      SWP_FRAMECHANGED);
    }
    const WPARAM visible = (nativeWindow->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0;
    nativeWindow->SendMessage(tarn_msg::kSetPageFlag, visible, tarn_msg::kWindowMarker);
    if (info.owner != nullptr && info.owner->HasNativeWindow()) {
        Created.Raise(this, info.owner, info.id);
    }
}

int32_t CTarnWinControl::PreprocessMessage(TarnMessage* message) {
    if (message == nullptr) {
        return 0;
    }
    if (MessageReceived.Raise(this, message->hwnd, message->message,
                              static_cast<uint64_t>(message->wParam),
                              static_cast<int64_t>(message->lParam), message) != 0) {
        return 1;
    }
    const WPARAM wParam = message->wParam;
    switch (message->message) {
    case WM_SETFOCUS:
        return Consumed(GotFocus.Raise(this));
    case WM_KILLFOCUS:
        return Consumed(LostFocus.Raise(this));
    case WM_SETCURSOR: {
        CMfcWndObject* holder = GetHolder();
        if (holder == nullptr || holder->Cursor == nullptr) {
            return 0;
        }
        SetCursor(holder->Cursor);
        return 1;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        const uint32_t key = NormalizeKeyCode(wParam);
        return Consumed(KeyDown.Raise(this, key & ~kModifierMask, key & kModifierMask));
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const uint32_t key = NormalizeKeyCode(wParam);
        return Consumed(KeyUp.Raise(this, key & ~kModifierMask, key & kModifierMask));
    }
    case WM_CHAR: {
        const int32_t replacement = CharInput.Raise(this, static_cast<uint16_t>(wParam & 0xFFFF));
        if (replacement < 0) {
            return 1;
        }
        if (replacement > 0) {
            message->wParam = static_cast<WPARAM>(static_cast<int64_t>(replacement));
        }
        return 0;
    }
    case WM_DROPFILES:
        RaiseFilesDropped(message->hwnd, wParam);
        return 0;
    default:
        return RaiseMouseEvent(*message);
    }
}

int32_t CTarnWinControl::RaiseMouseEvent(const TarnMessage& message) {
    // The pointer events, one slot for each message; the wheel alone has no position.
    struct PointerEvent {
        UINT message;
        TMouseEvent CTarnWinControl::*slot;
    };
    static constexpr PointerEvent kPointerEvents[] = {
        {WM_MOUSEMOVE, &CTarnWinControl::MouseMove},
        {WM_LBUTTONDOWN, &CTarnWinControl::LeftButtonDown},
        {WM_LBUTTONUP, &CTarnWinControl::LeftButtonUp},
        {WM_LBUTTONDBLCLK, &CTarnWinControl::LeftDoubleClick},
        {WM_RBUTTONDOWN, &CTarnWinControl::RightButtonDown},
        {WM_RBUTTONUP, &CTarnWinControl::RightButtonUp},
        {WM_MBUTTONDOWN, &CTarnWinControl::MiddleButtonDown},
        {WM_MBUTTONUP, &CTarnWinControl::MiddleButtonUp},
    };
    const WPARAM wParam = message.wParam;
    if (message.message == WM_MOUSEWHEEL) {
        const int32_t notches = static_cast<int16_t>(HIWORD(wParam)) / WHEEL_DELTA;
        return Consumed(MouseWheel.Raise(this, notches, MouseModifiers(wParam)));
    }
    for (const PointerEvent& event : kPointerEvents) {
        if (event.message == message.message) {
            const auto x = static_cast<int32_t>(static_cast<int16_t>(LOWORD(message.lParam)));
            const auto y = static_cast<int32_t>(static_cast<int16_t>(HIWORD(message.lParam)));
            return Consumed((this->*event.slot).Raise(this, x, y, MouseModifiers(wParam)));
        }
    }
    return 0;
}

void CTarnWinControl::RaiseFilesDropped(HWND hwnd, WPARAM dropParameter) {
    // Only a window that takes drops gets them from the platform; any other
    // drop is forged. The drop is finished (freed) only when it is one.
    auto drop = reinterpret_cast<HDROP>(dropParameter);
    if ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0 || !IsDropList(drop)) {
        return;
    }
    rg_tarn_base::rg_WenBenShuZuLei names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<wchar_t> name;
    for (UINT index = 0; index < count; ++index) {
        // Names are read whole, however long: the length is asked first.
        const UINT length = DragQueryFileW(drop, index, nullptr, 0);
        name.assign(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = length > 0 ? DragQueryFileW(drop, index, name.data(), length + 1) : 0;
        names.GetTexts().AddChars(FromWide(name.data()), static_cast<int64_t>(copied));
    }
    DragFinish(drop);
    if (names.GetCount() > 0) {
        FilesDropped.Raise(this, &names);
    }
}

void CTarnWinControl::AttachListener() {}

void CTarnWinControl::DetachListener() {}

int32_t CTarnWinControl::IsListenerAttached() {
    return 0;
}

CWnd* CTarnWinControl::GetNativeWindow() const {
    const CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->GetNativeWindow() : nullptr;
}

HWND CTarnWinControl::GetWindowHandle() const {
    const CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->GetWindowHandle() : nullptr;
}

int32_t CTarnWinControl::CreateInParent(CTarnWinControl* parent, int32_t x, int32_t y,
                                        int32_t width, int32_t height, int32_t id) {
    ControlCreateInfo info;
    if (parent != nullptr && parent->HasNativeWindow()) {
        info.parentWindow = parent->GetNativeWindow();
        info.owner = parent;
    }
    info.x = x;
    info.y = y;
    info.width = width;
    info.height = height;
    info.id = id;
    return CreateNative(info);
}

CWString CTarnWinControl::GetControlText() const {
    if (HasNativeWindow()) {
        const std::wstring text = GetNativeWindow()->GetWindowText();
        return CWString(FromWide(text.c_str()));
    }
    const CMfcWndObject* holder = GetHolder();
    return holder != nullptr ? holder->PendingText : CWString();
}

void CTarnWinControl::SetControlText(const CWString& text) {
    if (HasNativeWindow()) {
        CWnd* window = GetNativeWindow();
        window->SetWindowText(ToWide(text.GetText()));
        if (!RepaintsOwnText(*window)) {
            window->Invalidate(TRUE);
        }
        return;
    }
    if (CMfcWndObject* holder = GetHolder()) {
        holder->PendingText = text;
    }
}

void CTarnWinControl::SetFontDescription(const CWString& description) {
    LOGFONTW logFont = DescriptionBaseFont();
    ApplyFontDescription(description.GetText(), ScreenLogPixelsY(), logFont);
    CMfcWndObject* holder = GetHolder();
    if (holder == nullptr) {
        return;
    }
    // A font that cannot be made leaves the current one in place.
    if (HFONT font = CreateFontIndirectW(&logFont)) {
        holder->SetFont(font);
    }
}

void CTarnWinControl::SetHintText(const CWString& text) {
    if (!HasNativeWindow()) {
        return;
    }
    CVWnd_Container::SetHintOf(*GetNativeWindow(), ToWide(text.GetText()));
}

int32_t CTarnWinControl::ShowMessageBox(const CWString& message, const CWString& caption) {
    // At most one box is open: a box asked for while one is open (from a
    // message its loop dispatched) is not shown and answers 0.
    static bool boxOpen = false;
    if (boxOpen) {
        return 0;
    }
    HWND focus = GetFocus();
    boxOpen = true;
    const int result =
        MessageBoxW(GetWindowHandle(), ToWide(message.GetText()), ToWide(caption.GetText()), MB_OK);
    boxOpen = false;
    if (focus != nullptr && IsWindow(focus)) {
        ::SetFocus(focus);
    }
    return result;
}

} // namespace rg_tarn_MFCJieMian_base
