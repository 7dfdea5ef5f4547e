// Where a top-level form goes on its monitor, and how its start state shows it.
#pragma once

#include <windows.h>

#include <cstdint>

// The start states of a form (StartState).
inline constexpr int64_t kStartAsDesigned = 0;
inline constexpr int64_t kStartCentred = 1;
inline constexpr int64_t kStartMinimized = 2;
inline constexpr int64_t kStartMaximized = 3;

// StartState clamped to the start states above.
int64_t ClampStartState(int64_t state);

// The whole rectangle of the monitor nearest to window, or of the primary
// screen when there is no window or no monitor answers.
RECT MonitorRectOf(HWND window);

// The top-left corner of a top-level form of width x height placed on the
// monitor nearest reference (the primary screen for none): centred on it, or
// at (x, y) from the monitor's top-left corner.
POINT TopLevelFormPosition(HWND reference, int32_t x, int32_t y, int32_t width, int32_t height,
                           bool centred);

// Shows the top-level window target in start state: centred on its monitor
// (restored first when minimized or maximized), minimized, maximized, or
// normally for every other state.
void ShowInStartState(HWND target, int64_t state);
