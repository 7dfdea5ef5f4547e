// Registration of the runtime's own window classes.
#pragma once

#include <windows.h>

// The class name used when a caller names none.
inline constexpr const wchar_t* kDefaultTarnWindowClass = L"TarnWindow";

// Registers window class name (kDefaultTarnWindowClass for null or empty) for
// the application's instance (AfxGetInstanceHandle) unless a class of that name is registered there
// already: class style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, the platform's
// default window procedure, the arrow cursor, the null brush, no icon and no
// menu. Returns the name used; null when the class could not be registered.
const wchar_t* RegisterTarnWindowClass(const wchar_t* name = nullptr);
