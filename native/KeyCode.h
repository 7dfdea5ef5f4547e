// Key codes of the keyboard events: the modifier bits, NormalizeKeyCode and the key-name table.
#pragma once

#include <cstdint>

// Modifier bits of mouse and key events, also carried by key codes.
inline constexpr uint32_t kModifierCtrl = 0x2000;
inline constexpr uint32_t kModifierAlt = 0x4000;
inline constexpr uint32_t kModifierShift = 0x8000;
inline constexpr uint32_t kModifierMask = 0xE000;

// The name of virtual-key code key (0 to 255), or the empty text for a code
// without a name (and for codes above 255).
const char16_t* GetKeyName(uint32_t key);

// The key code of a key message's first parameter with the given modifier
// keys held: number-pad digits and operators as their main-keyboard keys,
// unnamed keys as 0, then Ctrl, Shift and Alt bits in that order (a modifier
// key carries its own bit only when an earlier one was added).
uint32_t NormalizeKeyCode(uint64_t wParam, bool ctrlDown, bool shiftDown, bool altDown);
// As above with the modifier keys read from the keyboard state now.
uint32_t NormalizeKeyCode(uint64_t wParam);
