// A host window for control tests and an event target that records what the controls raise.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/EventSlot.h"
#include "components/WinControl.h"
#include "framework/Wnd.h"
#include "native/WindowClass.h"
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

// One event as a handler saw it.
struct Raised {
    std::string event;
    CTarnObject* component = nullptr;
    int32_t tag = 0;
    int64_t first = 0;
    int64_t second = 0;
    std::wstring text; // the component's window text at the time
};

// The target of the tests' handlers: records each call, answers with
// `answer`. Its event pointer is detached when it goes.
class EventRecorder : public CTarnObject {
public:
    EventRecorder() : pointer(new CTarnEventObjectPointer(this)) {}
    ~EventRecorder() override { pointer->Detach(); }

    int Count(const std::string& event) const {
        int count = 0;
        for (const Raised& raised : log) {
            count += raised.event == event ? 1 : 0;
        }
        return count;
    }

    static std::wstring TextOf(CTarnObject* component) {
        HWND hwnd = static_cast<CTarnWinControl*>(component)->GetWindowHandle();
        return hwnd != nullptr ? test_support::WindowText(hwnd) : std::wstring();
    }

    static EventRecorder* Of(CTarnObject* target) { return static_cast<EventRecorder*>(target); }

    template <const char* Name>
    static int32_t Notify(CTarnObject* target, CTarnObject* component, int32_t tag) {
        Of(target)->log.push_back({Name, component, tag, 0, 0, TextOf(component)});
        return Of(target)->answer;
    }

    // For events that carry one value, such as the unit of CharInput.
    template <const char* Name, typename Value>
    static int32_t NotifyValue(CTarnObject* target, CTarnObject* component, int32_t tag,
                               Value value) {
        Of(target)->log.push_back(
            {Name, component, tag, static_cast<int64_t>(value), 0, TextOf(component)});
        return Of(target)->answer;
    }

    CTarnEventObjectPointer* pointer;
    std::vector<Raised> log;
    int32_t answer = 0;
};

inline constexpr char kClicked[] = "Clicked";
inline constexpr char kEditChanged[] = "EditChanged";
inline constexpr char kGotFocus[] = "GotFocus";
inline constexpr char kLostFocus[] = "LostFocus";
inline constexpr char kCharInput[] = "CharInput";

} // namespace controls_test
