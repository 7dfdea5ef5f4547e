// The colour value that stands for a system colour, and how native windows resolve it.
#pragma once

#include <windows.h>

#include <cstdint>

// Colours are 0x00BBGGRR values; this one means "the system's colour for this use".
inline constexpr uint32_t kSystemDefaultColor = 0xFF000000;

// The colour to draw with: colour itself, or the system colour systemIndex
// (COLOR_BTNFACE, COLOR_WINDOWTEXT, ...) for kSystemDefaultColor.
inline COLORREF ResolveColor(uint32_t colour, int systemIndex) {
    return colour == kSystemDefaultColor ? GetSysColor(systemIndex) : static_cast<COLORREF>(colour);
}
