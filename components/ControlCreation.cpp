#include "components/ControlCreation.h"

namespace rg_tarn_MFCJieMian_base {

void ReplaceStyleBits(CTarnWinControl& control, uint32_t mask, uint32_t bits) {
    bits &= mask;
    if (CMfcWndObject* holder = control.GetHolder()) {
        holder->Style = (holder->Style & ~mask) | bits;
    }
    CWnd* wnd = control.GetNativeWindow();
    if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
        wnd->ModifyStyle(mask, bits, SWP_NOACTIVATE);
        wnd->Invalidate(TRUE);
    }
}

void InvalidateControl(const CTarnWinControl& control, bool erase) {
    CWnd* wnd = control.GetNativeWindow();
    if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
        wnd->Invalidate(erase ? TRUE : FALSE);
    }
}

} // namespace rg_tarn_MFCJieMian_base
