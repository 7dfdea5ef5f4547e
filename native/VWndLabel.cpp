#include "native/VWndLabel.h"

#include <string>

#include "native/BackgroundPicture.h"
#include "native/PrivateMessages.h"
#include "native/TransparentRefresh.h"
#include "native/WindowClass.h"
#include "runtime/WideText.h"

uint32_t LabelDrawTextFormat(int32_t hAlign, int32_t vAlign, bool wordWrap) {
    uint32_t format = DT_NOCLIP | (hAlign == 1 ? DT_CENTER : hAlign == 2 ? DT_RIGHT : DT_LEFT);
    if (wordWrap) {
        format |= DT_WORDBREAK | DT_VCENTER;
    } else {
        format |= DT_SINGLELINE | (vAlign == 1 ? DT_VCENTER : vAlign == 2 ? DT_BOTTOM : DT_TOP);
    }
    return format;
}

bool CVWnd_Label::CreateLabel(uint32_t exStyle, const char16_t* text, uint32_t style, int32_t x,
                              int32_t y, int32_t width, int32_t height, CWnd* parent, int32_t id) {
    if (GetSafeHwnd() != nullptr || RegisterTarnWindowClass(kLabelWindowClass) == nullptr) {
        return false;
    }
    style &= ~static_cast<uint32_t>(WS_TABSTOP);
    if (Transparent != 0) {
        exStyle |= WS_EX_TRANSPARENT;
    }
    const HWND parentHwnd = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
    return CreateEx(exStyle, kLabelWindowClass, ToWide(text != nullptr ? text : u""), style, x, y,
                    width, height, parentHwnd,
                    reinterpret_cast<HMENU>(
                        static_cast<INT_PTR>(parentHwnd != nullptr ? id : 0))) != FALSE;
}

void CVWnd_Label::SetPicture(HBITMAP picture) {
    if (picture == nullptr) {
        picture_.DeleteObject();
    } else {
        picture_.Attach(picture);
    }
}

void CVWnd_Label::Refresh() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    if (Transparent != 0) {
        RefreshUnderTransparentWindow(GetSafeHwnd());
    }
    InvalidateRect(nullptr, FALSE);
}

LRESULT CVWnd_Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(*this);
        RECT clip{};
        if (dc.GetSafeHdc() != nullptr && dc.GetClipBox(&clip) != ERROR) {
            Paint(dc, clip);
        }
        return 0;
    }
    case WM_PRINTCLIENT: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        RECT client{};
        GetClientRect(&client);
        Paint(dc, client);
        return 0;
    }
    case WM_SETFONT:
        TakeFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetOwnFont());
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case tarn_msg::kLabelMessage:
        if (ILabelEventListener* listener = GetListener()) {
            return static_cast<LRESULT>(listener->OnLabelMessage(static_cast<int64_t>(wParam),
                                                                 static_cast<int64_t>(lParam)));
        }
        return 0;
    default:
        return CTarnWnd<CWnd, ILabelEventListener>::HandleMessage(message, wParam, lParam);
    }
}

void CVWnd_Label::TakeFont(HFONT font, bool redraw) {
    LOGFONTW description{};
    if (font == nullptr || ::GetObjectW(font, sizeof(description), &description) == 0) {
        return; // a null or unreadable font leaves the label's font as it is
    }
    CFont copy;
    if (!copy.CreateFontIndirect(description)) {
        return;
    }
    font_ = std::move(copy);
    if (redraw) {
        Refresh();
    }
}

void CVWnd_Label::Paint(CDC& dc, const RECT& clip) {
    RECT client{};
    GetClientRect(&client);
    RECT area{};
    if (!IntersectRect(&area, &clip, &client)) {
        return;
    }
    if (Transparent == 0) {
        CBrush background;
        if (background.CreateSolidBrush(ResolveColor(BackColor, COLOR_BTNFACE))) {
            dc.FillRect(area, background.GetHandle());
        }
    }
    DrawBackgroundPicture(PictureMode, dc.GetSafeHdc(), picture_.GetHandle(), client, area);

    const std::wstring text = GetWindowText();
    if (text.empty()) {
        return;
    }
    // The stock font is the system's: selected for drawing, never kept.
    const HGDIOBJ font =
        !font_.IsEmpty() ? font_.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    CSelectedObject selected(dc, font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(ResolveColor(TextColor, COLOR_WINDOWTEXT));
    RECT textRect = client;
    dc.DrawText(text, &textRect, LabelDrawTextFormat(HAlign, VAlign, WordWrap != 0));
}
