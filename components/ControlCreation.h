// The creation frame and native-window access shared by buttons, group boxes, labels and edit
// boxes.
#pragma once

#include <cstdint>

#include "components/WinControl.h"
#include "framework/Wnd.h"
#include "native/TarnWnd.h"

namespace rg_tarn_MFCJieMian_base {

// The control's native window object as the class Native, or null when it
// has none or one of another class.
template <typename Native> Native* NativeWindowAs(const CTarnWinControl& control) {
    CWnd* wnd = control.GetNativeWindow();
    return wnd != nullptr && wnd->IsKindOf(&Native::runtimeClass) ? static_cast<Native*>(wnd)
                                                                  : nullptr;
}

// The creation frame of a simple control whose native window is native: the
// record's page goes to the window; an existing window answers 0; the record
// is completed (PrepareCreate, AdjustCreate) and create() makes the window
// from it (false: 0, and the control can be created again later); the new
// window gets the fix-ups of AfterCreate. 1 when the window was made.
template <typename Native, typename Create>
int32_t CreateControlWindow(CTarnWinControl& control, Native* native, ControlCreateInfo& info,
                            Create&& create) {
    if (native == nullptr) {
        return 0;
    }
    native->Page = info.page;
    if (native->GetSafeHwnd() != nullptr) {
        return 0;
    }
    control.PrepareCreate(info);
    control.AdjustCreate(info);
    if (!create(*native)) {
        return 0;
    }
    if (native->GetSafeHwnd() != nullptr) {
        control.AfterCreate(native, info);
    }
    return 1;
}

} // namespace rg_tarn_MFCJieMian_base

namespace rg_tarn_MFCJieMian_base {

// Replaces the style bits mask of the control by bits: in the holder's style
// (used at creation) and, when the window exists, in the window's style
// (without moving, sizing, reordering or activating it), which is then
// redrawn with erasing.
void ReplaceStyleBits(CTarnWinControl& control, uint32_t mask, uint32_t bits);

// Invalidates the control's window, erasing when erase is set; nothing
// without a window.
void InvalidateControl(const CTarnWinControl& control, bool erase);

} // namespace rg_tarn_MFCJieMian_base
