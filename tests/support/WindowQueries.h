// Reading and finding windows for the GUI tests: their text, class, and the windows of a thread or
// process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

// The window's text as GetWindowText reads it (a window of another process
// answers for itself), and its class name.
std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);

// The top-level windows of this thread whose class is className (compared
// without case).
int CountThreadWindows(const wchar_t* className);

// The top-level windows of a process whose class is className (without
// case) and, when caption is given, whose text is caption; only the visible
// ones unless hiddenToo. In the system's order, topmost first.
std::vector<HWND> ProcessWindows(DWORD process, const wchar_t* className,
                                 const wchar_t* caption = nullptr, bool hiddenToo = false);

// The window and every window inside it, parents before their children.
std::vector<HWND> WindowAndDescendants(HWND window);

} // namespace test_support
