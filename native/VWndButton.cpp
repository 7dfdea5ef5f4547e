#include "native/VWndButton.h"

#include <uxtheme.h>

#include <utility>

#include "framework/DeviceContext.h"
#include "native/GroupBoxCaption.h"
#include "runtime/WideText.h"

namespace {

// Whether a user could have clicked the window: it and every window around
// it up to its top-level window are enabled. A message box or modal dialog
// disables its owner, so no click of a user can come from there then.
bool IsReachableByUser(HWND hwnd) {
    for (HWND window = hwnd; window != nullptr; window = ::GetParent(window)) {
        if (!::IsWindowEnabled(window)) {
            return false;
        }
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
    }
    return hwnd != nullptr;
}

} // namespace

CVWnd_Button::CVWnd_Button() {
    backgroundBrush_.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
}

bool CVWnd_Button::CreateButton(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x,
                                int32_t y, int32_t width, int32_t height, CWnd* parent,
                                int32_t id) {
    const HWND parentHwnd = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    return CreateEx(exStyle, L"BUTTON", ToWide(text != nullptr ? text : u""), style, x, y, width,
                    height, parentHwnd,
                    reinterpret_cast<HMENU>(
                        static_cast<INT_PTR>(parentHwnd != nullptr ? id : 0))) != FALSE;
}

bool CVWnd_Button::IsThemedPushButton() const {
    const DWORD type = GetStyle() & BS_TYPEMASK;
    return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) &&
           GetWindowTheme(GetSafeHwnd()) != nullptr;
}

bool CVWnd_Button::DrawsOwnCaption() const {
    return (GetStyle() & BS_TYPEMASK) == BS_GROUPBOX && TextColor != kSystemDefaultColor &&
           CanPaintColouredGroupBox(GetSafeHwnd());
}

LRESULT CVWnd_Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        if ((GetStyle() & 0x7) != 0) {
            // Every button type but the plain push button shows the brush
            // behind its drawing: group boxes, default buttons, check and
            // radio boxes.
            RECT client{};
            GetClientRect(&client);
            CDC dc(reinterpret_cast<HDC>(wParam));
            dc.FillRect(client, GetBackgroundBrush());
        }
        break;
    case WM_PAINT:
        if (DrawsOwnCaption()) {
            CPaintDC dc(*this);
            PaintColouredGroupBox(GetSafeHwnd(), dc.GetSafeHdc(), TextColor, GetBackgroundBrush());
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (DrawsOwnCaption()) {
            PaintColouredGroupBox(GetSafeHwnd(), reinterpret_cast<HDC>(wParam), TextColor,
                                  GetBackgroundBrush());
            return 0;
        }
        break;
    case WM_SYSCOLORCHANGE:
        // The brush is the button face's colour at the time it was made.
        if (CBrush brush; brush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {
            backgroundBrush_ = std::move(brush);
        }
        break;
    default:
        break;
    }
    return CTarnWnd<CButton, IButtonEventListener>::HandleMessage(message, wParam, lParam);
}

std::optional<LRESULT> CVWnd_Button::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            // Only a click a user could have made counts: a forged one sent
            // while a box is open would open the next box inside it.
            if (!IsReachableByUser(GetSafeHwnd())) {
                return 0;
            }
            if (IButtonEventListener* listener = GetListener()) {
                listener->OnButtonClicked();
            }
            return 0;
        }
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        dc.SetTextColor(ResolveColor(TextColor, COLOR_BTNTEXT));
        dc.SetBkColor(ResolveColor(BackColor, COLOR_BTNFACE));
        if (IsThemedPushButton()) {
            // A themed push button fills what lies outside its rounded
            // corners with the brush answered here, before it draws itself.
            // The container's own background (colour or picture) belongs
            // there: it is printed into the button's context now, and the
            // hollow brush leaves it showing.
            DrawThemeParentBackground(GetSafeHwnd(), dc.GetSafeHdc(), nullptr);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        return reinterpret_cast<LRESULT>(GetBackgroundBrush());
    }
    default:
        break;
    }
    return std::nullopt;
}
