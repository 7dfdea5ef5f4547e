#include "native/FormPlacement.h"

namespace {

POINT CentreOn(const RECT& area, int32_t width, int32_t height) {
    return POINT{(area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2};
}

void CentreOnMonitor(HWND target) {
    if (IsIconic(target) || IsZoomed(target)) {
        ::ShowWindow(target, SW_RESTORE);
    }
    RECT window = {};
    ::GetWindowRect(target, &window);
    const POINT place =
        CentreOn(MonitorRectOf(target), window.right - window.left, window.bottom - window.top);
    if (place.x != window.left || place.y != window.top) {
        ::SetWindowPos(target, nullptr, place.x, place.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace

int64_t ClampStartState(int64_t state) {
    return state < kStartAsDesigned ? kStartAsDesigned
                                    : (state > kStartMaximized ? kStartMaximized : state);
}

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

POINT TopLevelFormPosition(HWND reference, int32_t x, int32_t y, int32_t width, int32_t height,
                           bool centred) {
    const RECT area = MonitorRectOf(reference);
    if (centred) {
        return CentreOn(area, width, height);
    }
    return POINT{x + area.left, y + area.top};
}

void ShowInStartState(HWND target, int64_t state) {
    switch (state) {
    case kStartCentred:
        CentreOnMonitor(target);
        break;
    case kStartMinimized:
        ::ShowWindow(target, SW_SHOWMINIMIZED);
        break;
    case kStartMaximized:
        ::ShowWindow(target, SW_SHOWMAXIMIZED);
        break;
    default:
        ::ShowWindow(target, SW_SHOWNORMAL);
        break;
    }
}
