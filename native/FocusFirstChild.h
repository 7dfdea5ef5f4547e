// FocusFirstChild: moving the keyboard focus into a window, to the first child that takes keys.
#pragma once

#include <windows.h>

// Gives the keyboard focus to the first window inside window that takes keys.
// When window is visible, enabled and has children, its descendants are
// searched depth first (each child before its own children), passing over
// hidden and disabled windows with everything inside them: the first one
// whose dialog code asks for arrows, tab, all keys or characters gets the
// focus; failing that, the first one with the tab-stop style; failing that,
// window's first child. A hidden, disabled or childless window passes the
// focus to its first child, if it has one. Returns the window given the
// focus, or null when there was none to give it to.
HWND FocusFirstChild(HWND window);
