#include "native/EditSpin.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <string>

#include "native/VWndEdit.h"
#include "runtime/IntegerText.h"
#include "runtime/WideText.h"

namespace {

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

SpinRange SpinRangeOf(int64_t spinMin, int64_t spinMax) {
    return {ClampToInt32(std::min(spinMin, spinMax)), ClampToInt32(std::max(spinMin, spinMax))};
}

int32_t SpinStepValue(int32_t value, int32_t lower, int32_t upper, int32_t delta) {
    const int64_t next = static_cast<int64_t>(value) + (delta < 0 ? -1 : 1);
    if (next < lower || next > upper) {
        return delta < 0 ? upper : lower;
    }
    return static_cast<int32_t>(next);
}

std::optional<LRESULT> CEditSpin::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code != static_cast<UINT>(UDN_DELTAPOS)) {
            return std::nullopt;
        }
        Step(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
        return 0; // the control may change its position; nothing reads it
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (Buddy != nullptr) {
            return reinterpret_cast<LRESULT>(Buddy->ControlColor(reinterpret_cast<HDC>(wParam)));
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void CEditSpin::Step(int32_t delta) {
    CVWnd_Edit* buddy = Buddy;
    if (buddy == nullptr || buddy->GetSafeHwnd() == nullptr || !buddy->IsWindowEnabled() ||
        !buddy->IsWindowVisible()) {
        return;
    }
    if (Automatic == 0) {
        if (IEditEventListener* listener = buddy->GetListener()) {
            listener->OnEditSpin(delta < 0 ? -1 : 1);
        }
        return;
    }
    const std::wstring text = buddy->GetWindowText();
    int lower = 0;
    int upper = 0;
    GetRange32(&lower, &upper);
    const int32_t value = SpinStepValue(TextToInt32(FromWide(text.c_str())), lower, upper, delta);
    char16_t area[kNumberTextUnits];
    buddy->SetWindowText(ToWide(Int32ToText(value, area)));
    if (buddy->GetSafeHwnd() == nullptr) {
        return; // a change handler closed the edit
    }
    buddy->SetSel(0, -1); // selects all and scrolls the caret into view
    buddy->SetFocus();
}
