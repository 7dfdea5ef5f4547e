#include "native/FormKeyboard.h"

#include "native/HintToolTip.h"
#include "native/KeyCode.h"
#include "native/PrivateMessages.h"
#include "native/RefTarnMenu.h"
#include "native/VWndWinForm.h"

namespace {

// Key codes (virtual key with the modifier bits) the key rules act on.
constexpr uint32_t kKeyTab = VK_TAB;
constexpr uint32_t kKeyShiftTab = kModifierShift | VK_TAB;
constexpr uint32_t kKeyEnter = VK_RETURN;
constexpr uint32_t kKeyEscape = VK_ESCAPE;
constexpr uint32_t kKeyF1 = VK_F1;
// Select all, copy, paste and cut: an edit's own.
constexpr uint32_t kEditKeys[] = {kModifierCtrl | 'A', kModifierCtrl | 'C', kModifierCtrl | 'V',
                                  kModifierCtrl | 'X'};

bool HasClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[64] = {}; // longer names cannot match the short names asked for
    return hwnd != nullptr && GetClassNameW(hwnd, name, 64) > 0 && lstrcmpiW(name, className) == 0;
}

bool IsEditWindow(HWND hwnd) {
    return HasClass(hwnd, L"Edit");
}

bool IsMultiLineEdit(HWND hwnd) {
    return IsEditWindow(hwnd) && (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_MULTILINE) != 0;
}

bool IsEditKey(uint32_t key) {
    for (uint32_t editKey : kEditKeys) {
        if (key == editKey) {
            return true;
        }
    }
    return false;
}

bool IsArrowKey(uint32_t key) {
    return key >= VK_LEFT && key <= VK_DOWN;
}

bool IsNavigationKey(uint32_t key) {
    return key == kKeyTab || key == kKeyEnter || IsArrowKey(key);
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

// A push button that the platform draws as the default one.
bool IsDefaultPushButton(HWND hwnd) {
    return HasClass(hwnd, L"BUTTON") && (GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) ==
                                            static_cast<LONG_PTR>(BS_DEFPUSHBUTTON);
}

} // namespace

bool CFormKeyboard::PreTranslate(MSG* msg) {
    const HWND form = m_form.GetSafeHwnd();
    if (form == nullptr || msg == nullptr) {
        return false;
    }
    if (OfferToFormHandler(msg, form)) {
        return true;
    }
    RelayToToolTip(m_form.ToolTip.get(), *msg);
    if (StartsClientDrag(*msg, form)) {
        return true;
    }
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    const uint32_t key = keyDown ? NormalizeKeyCode(msg->wParam) : 0;
    if (key == 0) {
        // Characters are the focused window's; other input may navigate.
        return !IsCharacterMessage(msg->message) && Navigate(*msg, false, form);
    }
    switch (AnswerKey(*msg, key, form)) {
    case KeyAnswer::kConsumed:
        return true;
    case KeyAnswer::kToNavigation:
        return Navigate(*msg, key == kKeyEnter, form);
    case KeyAnswer::kLeftAlone:
    default:
        return false;
    }
}

bool CFormKeyboard::DropsCommandFrom(HWND control) const {
    return m_enterInProgress && !IsDefaultPushButton(control);
}

bool CFormKeyboard::OfferToFormHandler(MSG* msg, HWND form) {
    IWinFormEventListener* listener = m_form.GetFormListener();
    // A handler that destroyed the window consumed the message with it.
    return listener != nullptr &&
           (listener->OnFormPreTranslate(msg) != 0 || m_form.GetSafeHwnd() != form);
}

bool CFormKeyboard::StartsClientDrag(const MSG& msg, HWND form) const {
    if (m_form.DragByClient == 0 || msg.message != WM_LBUTTONDOWN) {
        return false;
    }
    if (msg.hwnd != form && (::SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) == 0) {
        return false; // a control that takes the click itself
    }
    ::PostMessageW(m_form.GetFrameWindow(), WM_NCLBUTTONDOWN, HTCAPTION,
                   MAKELPARAM(msg.pt.x, msg.pt.y));
    return true;
}

CFormKeyboard::KeyAnswer CFormKeyboard::AnswerKey(MSG& msg, uint32_t key, HWND form) {
    if (!::IsWindowEnabled(msg.hwnd)) {
        return KeyAnswer::kLeftAlone;
    }
    bool navigate = true;
    if (key == kKeyEscape) {
        if (IsMultiLineEdit(msg.hwnd)) {
            return KeyAnswer::kLeftAlone; // Escape has a meaning of its own there
        }
        if (ClosesOnEscape()) {
            return KeyAnswer::kConsumed;
        }
        navigate = false; // the dialog navigation would cancel
    }
    if (IsEditKey(key) && IsEditWindow(msg.hwnd)) {
        return KeyAnswer::kLeftAlone;
    }
    if (TranslateAccelerators(msg, form) || TabsOutOfEdit(msg, key, form)) {
        return KeyAnswer::kConsumed;
    }
    if (key == kKeyEnter && m_form.DefaultButtonId == 0) {
        navigate = false; // no button to press
    }
    if (key == kKeyF1 && m_form.OpenHelp()) {
        return KeyAnswer::kConsumed;
    }
    if (IsNavigationKey(key) && IsInsideWantingControl(msg.hwnd, key, form)) {
        return KeyAnswer::kLeftAlone;
    }
    return navigate ? KeyAnswer::kToNavigation : KeyAnswer::kLeftAlone;
}

bool CFormKeyboard::ClosesOnEscape() const {
    if (m_form.EscapeCloses == 0 && m_form.GetEnvelope() == nullptr) {
        return false;
    }
    // Closed as by the close box, so a closing handler may refuse.
    ::PostMessageW(m_form.GetFrameWindow(), WM_CLOSE, 0, 0);
    return true;
}

bool CFormKeyboard::TranslateAccelerators(MSG& msg, HWND form) const {
    CRefTarnMenu* menu = m_form.GetMenu();
    const HACCEL accelerators = menu != nullptr ? menu->GetAcceleratorTable() : nullptr;
    return accelerators != nullptr && tarn_msg::IsKeyboardMessage(msg.message) &&
           TranslateAcceleratorW(form, accelerators, &msg) != 0;
}

bool CFormKeyboard::TabsOutOfEdit(const MSG& msg, uint32_t key, HWND form) const {
    if ((key != kKeyTab && key != kKeyShiftTab) || !IsEditWindow(msg.hwnd)) {
        return false;
    }
    const HWND next = GetNextDlgTabItem(form, msg.hwnd, key == kKeyShiftTab);
    if (next == nullptr || next == msg.hwnd) {
        return false;
    }
    ::SendMessageW(form, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    return true;
}

bool CFormKeyboard::IsInsideWantingControl(HWND from, uint32_t key, HWND form) const {
    for (HWND window = from; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->IsKindOf("CVWnd_OcxControl")) {
            const LRESULT code = ::SendMessageW(window, WM_GETDLGCODE, key, 0);
            if ((code & DLGC_WANTALLKEYS) != 0 || (key == VK_TAB && (code & DLGC_WANTTAB) != 0) ||
                (IsArrowKey(key) && (code & DLGC_WANTARROWS) != 0)) {
                return true;
            }
        }
        if (window == form) {
            break;
        }
    }
    return false;
}

bool CFormKeyboard::Navigate(MSG& msg, bool enter, HWND form) {
    m_enterInProgress = enter;
    const bool handled = IsDialogMessageW(form, &msg) != FALSE;
    m_enterInProgress = false;
    return handled;
}
