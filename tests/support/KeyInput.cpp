#include "tests/support/KeyInput.h"

namespace test_support {

namespace {

LPARAM KeyData(UINT key) {
    return 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
}

} // namespace

void PostKeyDown(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, KeyData(key));
}

void PostKeyPress(HWND window, UINT key) {
    PostKeyDown(window, key);
    // Bits 30 and 31: the key was down and is being released.
    PostMessageW(window, WM_KEYUP, key, KeyData(key) | static_cast<LPARAM>(0xC0000000u));
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys) {
        state[key] = 0x80;
    }
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() {
    SetKeyboardState(saved_);
}

} // namespace test_support
