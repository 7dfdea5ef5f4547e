#include "native/GroupBoxCaption.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <string>

namespace {

// Space between the frame's left or right end and the caption, and around
// the caption's text inside the frame's gap, as the themed control leaves it.
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

// Restores a device context's state on every way out.
class SavedState {
public:
    explicit SavedState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedState() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace

RECT GroupBoxCaptionRect(LONG style, int clientWidth, int textWidth, int textHeight) {
    const int width = textWidth + 2 * kCaptionPadding;
    int left = kCaptionIndent;
    switch (style & BS_CENTER) {
    case BS_CENTER:
        left = (clientWidth - width) / 2;
        break;
    case BS_RIGHT:
        left = clientWidth - kCaptionIndent - width;
        break;
    default:
        break;
    }
    return RECT{left, 0, left + width, textHeight};
}

bool CanPaintColouredGroupBox(HWND hwnd) {
    return GetWindowTheme(hwnd) != nullptr && IsWindowEnabled(hwnd) &&
           GetWindowTextLengthW(hwnd) > 0;
}

void PaintColouredGroupBox(HWND hwnd, HDC dc, COLORREF color, HBRUSH background) {
    const HTHEME theme = GetWindowTheme(hwnd);
    const std::wstring text = WindowText(hwnd);
    if (theme == nullptr || dc == nullptr || text.empty()) {
        return;
    }
    SavedState state(dc);
    if (const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    RECT measured{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE);
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT caption =
        GroupBoxCaptionRect(static_cast<LONG>(GetWindowLongPtrW(hwnd, GWL_STYLE)), client.right,
                            measured.right - measured.left, measured.bottom - measured.top);

    // The frame line runs through the middle of the caption; the caption's
    // place is kept out of it.
    RECT frame = client;
    frame.top += (caption.bottom - caption.top) / 2;
    {
        SavedState clip(dc);
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &frame, nullptr);
    }
    if (background != nullptr) {
        FillRect(dc, &caption, background);
    }
    RECT textRect = caption;
    InflateRect(&textRect, -kCaptionPadding, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOCLIP);
}
