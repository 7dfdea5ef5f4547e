// The transparent refresh: repainting what lies under a transparent window after it moved or
// changed.
#pragma once

#include <windows.h>

// Repaints everything under window's client area so that a transparent
// window shows what is behind it now, not what was there before. The
// nearest pop-up or top-level ancestor (or window itself) is redrawn at once
// (erase and paint) under that area; then every visible window inside that
// ancestor that overlaps the area is redrawn at once (erase, frame, paint),
// from the bottom of the z-order up, each window's children before it.
void RefreshUnderTransparentWindow(HWND window);
