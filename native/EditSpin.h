// CEditSpin, the up-down control beside an edit box, and its step and range rules.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "framework/SpinButtonCtrl.h"

class CVWnd_Edit;

// The range an edit's SpinMin and SpinMax give its up-down control: ordered,
// each end clamped to the 32-bit range the control holds.
struct SpinRange {
    int32_t lower = 0;
    int32_t upper = 0;
};
SpinRange SpinRangeOf(int64_t spinMin, int64_t spinMax);

// The value an automatic spin writes into its edit: one below value for a
// negative delta, else one above; a step that leaves [lower, upper] wraps to
// the other end. Computed in 64 bits, so the ends of the 32-bit range wrap
// instead of overflowing.
int32_t SpinStepValue(int32_t value, int32_t lower, int32_t upper, int32_t delta);

// The up-down control an edit makes beside itself when it has a spin mode.
// Each click either steps the number in the edit (automatic) or asks the
// edit's listener (event mode); the control's own position is never used.
//
// Ownership: embedded in its edit's native window object, which is its
// buddy for the whole life of the window; the window is a sibling of the
// edit's, made at the edit's creation and destroyed with it. GUI thread only.
class CEditSpin : public CRuntimeKind<"CEditSpin", CSpinButtonCtrl> {
public:
    // The edit this spin belongs to, or null.
    CVWnd_Edit* Buddy = nullptr;
    // Nonzero: clicks step the edit's number (the edit's SpinMode was 1 at
    // creation); zero: they raise the edit's EditSpin.
    uint64_t Automatic = 0;

protected:
    std::optional<LRESULT> OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Step(int32_t delta);
};
