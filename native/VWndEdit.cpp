#include "native/VWndEdit.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "framework/DeviceContext.h"
#include "native/EditInput.h"
#include "native/FontTextHeight.h"
#include "runtime/WideText.h"

namespace {

constexpr int32_t kSpinWidth = 18;
constexpr UINT kKeepPlaceFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE; // 0x13

// Carriage return, line feed (Ctrl+Enter) and Escape: the characters a
// single-line edit cannot take.
bool IsLineEndOrEscape(WPARAM unit) {
    return unit == L'\r' || unit == L'\n' || unit == VK_ESCAPE;
}

} // namespace

uint32_t EditCreationStyle(uint32_t style, bool multiLine, int64_t scrollBars, int64_t inputType) {
    if (multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (scrollBars == 1 || scrollBars == 3) {
            style |= ES_AUTOHSCROLL;
        }
        if (scrollBars == 1) {
            style |= WS_HSCROLL;
        } else if (scrollBars == 2) {
            style |= WS_VSCROLL;
        } else if (scrollBars == 3) {
            style |= WS_HSCROLL | WS_VSCROLL;
        }
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (inputType == static_cast<int64_t>(EditInputType::kReadOnly)) {
        style |= ES_READONLY;
    } else if (inputType == static_cast<int64_t>(EditInputType::kPassword)) {
        style |= ES_PASSWORD;
    }
    return style;
}

int32_t EditMinimumHeight(int32_t textHeight, int32_t edgeHeight) {
    return textHeight + 2 * edgeHeight + 2;
}

void CentreEditClient(int32_t& top, int32_t& bottom, int32_t textHeight) {
    const int32_t space = bottom - top;
    const int32_t offset = std::max(0, (space - textHeight) / 2);
    top += offset;
    bottom = top + std::min(textHeight, space);
}

CVWnd_Edit::CVWnd_Edit() {
    backgroundBrush_.CreateSolidBrush(backColor_);
    spin_.Buddy = this;
    // The spin is part of this object: a handler run from one of its
    // messages that frees the edit must leave it until that message returns.
    spin_.SetDispatchOwner(this);
}

bool CVWnd_Edit::CreateEdit(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x,
                            int32_t y, int32_t width, int32_t height, CWnd* parent, int32_t id) {
    if (GetSafeHwnd() != nullptr) {
        return false;
    }
    const uint32_t editStyle = EditCreationStyle(style, MultiLine != 0, ScrollBars, InputType);
    const HWND parentHwnd = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    if (!CreateEx(exStyle, L"EDIT", ToWide(text != nullptr ? text : u""), editStyle, x, y, width,
                  height, parentHwnd,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(parentHwnd != nullptr ? id : 0)))) {
        return false;
    }
    SetLimitText(static_cast<UINT>(std::max(MaxLength, 0)));
    if (InputType == static_cast<int64_t>(EditInputType::kPassword)) {
        SetPasswordChar(static_cast<wchar_t>(PasswordChar));
    }
    if (IsSingleLine() && SpinMode != 0) {
        MakeSpin(editStyle, parent, id);
    }
    return true;
}

void CVWnd_Edit::MakeSpin(uint32_t editStyle, CWnd* parent, int32_t id) {
    const DWORD spinStyle = (editStyle & (WS_VISIBLE | WS_DISABLED)) | WS_CHILD;
    const RECT empty{};
    if (!spin_.Create(spinStyle, empty, parent, static_cast<UINT>(id + 1000))) {
        SpinMode = 0;
        return;
    }
    spin_.Buddy = this;
    spin_.Automatic = SpinMode == 1 ? 1 : 0;
    // The 32-bit range: SpinMin and SpinMax beyond +-32767 keep their values.
    const SpinRange range = SpinRangeOf(SpinMin, SpinMax);
    spin_.SetRange32(range.lower, range.upper);
    PlaceSpin();
}

void CVWnd_Edit::SetBackColor(uint32_t colour) {
    if (colour == backColor_) {
        return;
    }
    CBrush brush;
    if (!brush.CreateSolidBrush(ResolveColor(colour, COLOR_BTNFACE))) {
        return; // keeps the old colour with its brush
    }
    backColor_ = colour;
    backgroundBrush_ = std::move(brush); // the replaced brush is deleted here
    if (GetSafeHwnd() != nullptr) {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

HBRUSH CVWnd_Edit::ControlColor(HDC dc) {
    CDC target(dc);
    target.SetTextColor(ResolveColor(TextColor, COLOR_WINDOWTEXT));
    target.SetBkColor(ResolveColor(backColor_, COLOR_BTNFACE));
    return GetBackgroundBrush();
}

void CVWnd_Edit::RefuseCharacter(char16_t) {
    MessageBeep(MB_ICONEXCLAMATION);
}

bool CVWnd_Edit::ListensTo(UINT message) const {
    return message != WM_SETFOCUS && message != WM_KILLFOCUS;
}

LRESULT CVWnd_Edit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        if (StopsCharacter(wParam)) {
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (!IsSingleLine() && wParam == VK_ESCAPE) {
            return 0; // the platform would pass it to the parent as a cancel
        }
        break;
    case WM_SETFONT:
        if (IsSingleLine()) {
            TakeFont(reinterpret_cast<HFONT>(wParam));
        }
        break;
    case WM_NCCALCSIZE:
        return OnNcCalcSize(wParam, lParam);
    case WM_NCHITTEST:
        if (IsSingleLine() && IsOutsideClient(lParam)) {
            return HTBORDER;
        }
        break;
    case WM_NCPAINT:
        if (IsSingleLine()) {
            return PaintFrame(wParam, lParam);
        }
        break;
    case WM_SIZE:
    case WM_MOVE:
    case WM_ENABLE:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
        return WithSpinFollowing(message, wParam, lParam);
    case WM_DESTROY:
        // The spin is a sibling: it would outlive the edit it steps.
        spin_.DestroyWindow();
        break;
    default:
        break;
    }
    return CTarnWnd<CEdit, IEditEventListener>::HandleMessage(message, wParam, lParam);
}

bool CVWnd_Edit::StopsCharacter(WPARAM unit) {
    if (IsSingleLine() && IsLineEndOrEscape(unit)) {
        // The listener has seen it (CharInput); the platform's single-line
        // edit would only beep, as it has no use for it.
        return true;
    }
    if (unit >= 32 && !EditAcceptsChar(InputType, static_cast<char16_t>(unit))) {
        RefuseCharacter(static_cast<char16_t>(unit));
        return true;
    }
    return false;
}

LRESULT CVWnd_Edit::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result =
        CTarnWnd<CEdit, IEditEventListener>::HandleMessage(WM_NCCALCSIZE, wParam, lParam);
    if (IsSingleLine() && textHeight_ > 0 && lParam != 0) {
        RECT* proposed = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                     : reinterpret_cast<RECT*>(lParam);
        int32_t top = proposed->top;
        int32_t bottom = proposed->bottom;
        CentreEditClient(top, bottom, static_cast<int32_t>(textHeight_));
        proposed->top = top;
        proposed->bottom = bottom;
    }
    return result;
}

bool CVWnd_Edit::IsOutsideClient(LPARAM screenPoint) const {
    POINT point{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    ScreenToClient(GetSafeHwnd(), &point);
    RECT client{};
    ::GetClientRect(GetSafeHwnd(), &client);
    return !PtInRect(&client, point);
}

LRESULT CVWnd_Edit::WithSpinFollowing(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result =
        CTarnWnd<CEdit, IEditEventListener>::HandleMessage(message, wParam, lParam);
    const bool hasSpin = spin_.GetSafeHwnd() != nullptr;
    switch (message) {
    case WM_SIZE:
    case WM_MOVE:
        PlaceSpin();
        break;
    case WM_ENABLE:
        if (hasSpin) {
            spin_.EnableWindow(wParam != 0 ? TRUE : FALSE);
        }
        break;
    case WM_SHOWWINDOW:
        if (hasSpin) {
            spin_.ShowWindow(wParam != 0 ? SW_SHOWNA : SW_HIDE);
        }
        break;
    case WM_WINDOWPOSCHANGED:
        OrderSpin();
        break;
    default:
        break;
    }
    return result;
}

std::optional<LRESULT> CVWnd_Edit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            if (IEditEventListener* listener = GetListener(); listener && SuppressChange == 0) {
                listener->OnEditChanged();
            }
            return 0;
        case EN_KILLFOCUS:
            Normalise();
            ReportFocus(WM_KILLFOCUS);
            return 0;
        case EN_SETFOCUS:
            ReportFocus(WM_SETFOCUS);
            return 0;
        default:
            return std::nullopt;
        }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // read-only and disabled edits
        return reinterpret_cast<LRESULT>(ControlColor(reinterpret_cast<HDC>(wParam)));
    default:
        return std::nullopt;
    }
}

void CVWnd_Edit::ReportFocus(UINT message) {
    IEditEventListener* listener = GetListener();
    if (GetSafeHwnd() == nullptr || listener == nullptr) {
        return;
    }
    MSG record{};
    record.hwnd = GetSafeHwnd();
    record.message = message;
    listener->OnPreprocess(&record);
}

void CVWnd_Edit::Normalise() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    const std::wstring text = GetWindowText();
    char16_t area[kNumberTextUnits];
    if (!NormalizeEditText(InputType, FromWide(text.c_str()), area) ||
        text == ToWide(static_cast<const char16_t*>(area))) {
        return;
    }
    int start = 0;
    GetSel(&start, nullptr);
    SetWindowText(ToWide(area));
    if (GetSafeHwnd() != nullptr) {
        SetSel(start, start); // and scrolls the caret into view
    }
}

void CVWnd_Edit::TakeFont(HFONT font) {
    textHeight_ = 0;
    if (font != nullptr) {
        textHeight_ = FontTextHeight(font);
        const int32_t minimum =
            EditMinimumHeight(static_cast<int32_t>(textHeight_), GetSystemMetrics(SM_CYEDGE));
        RECT window{};
        GetWindowRect(&window);
        if (window.bottom - window.top < minimum) {
            SetWindowPos(nullptr, 0, 0, window.right - window.left, minimum,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     SWP_NOOWNERZORDER);
}

LRESULT CVWnd_Edit::PaintFrame(WPARAM, LPARAM) {
    const HWND hwnd = GetSafeHwnd();
    RECT window{};
    GetWindowRect(&window);
    RECT client{};
    GetClientRect(&client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    {
        CWindowDC dc(hwnd);
        if (dc.GetSafeHdc() != nullptr) {
            ExcludeClipRect(dc.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
            dc.FillRect(window, GetBackgroundBrush());
        }
    }
    // The default non-client painting draws the border over the fill.
    DefWindowProc(WM_NCPAINT, 1, 0);
    return 0;
}

void CVWnd_Edit::PlaceSpin() {
    const HWND spin = spin_.GetSafeHwnd();
    const HWND parent = GetParent();
    if (spin == nullptr || parent == nullptr) {
        return;
    }
    if (::GetParent(spin) != parent) {
        spin_.SetParent(parent);
    }
    RECT window{};
    GetWindowRect(&window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    spin_.MoveWindow(window.right, window.top, kSpinWidth, window.bottom - window.top, TRUE);
    spin_.Invalidate(TRUE);
}

void CVWnd_Edit::OrderSpin() {
    const HWND spin = spin_.GetSafeHwnd();
    if (spin == nullptr || orderingSpin_) {
        return;
    }
    // Each placement below changes the edit's position again; the guard ends
    // that exchange after one round.
    orderingSpin_ = true;
    ::SetWindowPos(spin, GetSafeHwnd(), 0, 0, 0, 0, kKeepPlaceFlags);
    if (GetSafeHwnd() != nullptr && spin_.GetSafeHwnd() != nullptr) {
        ::SetWindowPos(GetSafeHwnd(), spin, 0, 0, 0, 0, kKeepPlaceFlags);
    }
    orderingSpin_ = false;
}
