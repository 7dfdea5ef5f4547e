// CEditSpin, the up-down control beside an edit box, and its step and range rules.
#pragma once

#include <cstdint>

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
