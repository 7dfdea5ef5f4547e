// A host window for control tests, its children's creation records and the controls' event names.
#pragma once

#include <windows.h>

#include <cstdint>

#include "components/EventSlot.h"
#include "components/WinControl.h"
#include "framework/Wnd.h"
#include "native/WindowClass.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/WindowQueries.h"

namespace controls_test {

using rg_tarn_MFCJieMian_base::ControlCreateInfo;
using rg_tarn_MFCJieMian_base::CTarnWinControl;

// A visible top-level framework window: it reflects its children's
// notifications and colour requests back to their objects, as the runtime's
// containers do.
class HostWindow : public CWnd {
public:
    HostWindow() {
        CreateEx(0, RegisterTarnWindowClass(), L"controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                 480, 360, nullptr, nullptr);
        ::SetForegroundWindow(GetSafeHwnd());
        test_support::PumpMessagesUntilIdle();
    }
    ~HostWindow() override { DestroyWindow(); }
};

// The creation record of a child of host.
inline ControlCreateInfo ChildRecord(CWnd& host, int32_t x, int32_t y, int32_t width,
                                     int32_t height, int32_t id) {
    ControlCreateInfo info;
    info.parentWindow = &host;
    info.x = x;
    info.y = y;
    info.width = width;
    info.height = height;
    info.id = id;
    return info;
}

// The creation record of a top-level window at x, y (kDefaultSize: placed by
// the component) of the given size.
inline ControlCreateInfo TopLevelRecord(int32_t x, int32_t y, int32_t width, int32_t height) {
    ControlCreateInfo info;
    info.x = x;
    info.y = y;
    info.width = width;
    info.height = height;
    return info;
}

using test_support::EventRecorder;
using test_support::RaisedEvent;

// The names the controls' events are logged under.
inline constexpr char kClicked[] = "Clicked";
inline constexpr char kEditChanged[] = "EditChanged";
inline constexpr char kGotFocus[] = "GotFocus";
inline constexpr char kLostFocus[] = "LostFocus";
inline constexpr char kCharInput[] = "CharInput";

} // namespace controls_test
