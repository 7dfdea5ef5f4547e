// Keys for the GUI tests: posted as the keyboard driver would post them, or held in this thread's
// keyboard state.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace test_support {

// Posts the key's WM_KEYDOWN to window with its scan code in lParam, as a
// real key press arrives; PostKeyPress posts the WM_KEYUP after it.
void PostKeyDown(HWND window, UINT key);
void PostKeyPress(HWND window, UINT key);

// Holds keys down in this thread's keyboard state for the scope, so that
// GetKeyState answers as if the user held them; the state before comes back.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

} // namespace test_support
