// The programs that build the converter's main window, and a started one to drive.
#pragma once

#include "bench/window/ProgramWindow.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/KeyInput.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace main_window_test {

// Every program here must build the same window and pass every test of
// this folder: the bare Win32 version now, the tool once it is built.
inline std::vector<std::wstring> Programs() {
    return {L"" QORVATH_QORVATH, L"" QORVATH_BARE_MAIN_WINDOW};
}

// The file name of a program, for test names.
inline std::string ProgramName(const testing::TestParamInfo<std::wstring>& info) {
    const std::wstring& path = info.param;
    std::string name;
    for (wchar_t unit : path.substr(path.find_last_of(L"\\/") + 1)) {
        if (unit == L'.') {
            break;
        }
        name += static_cast<char>(unit);
    }
    return name;
}

// A started program with its main window, idle and shown.
class StartedWindow {
public:
    // Starts the program and waits for its window; check form() afterwards.
    explicit StartedWindow(const std::wstring& program) {
        if (program_.Start(program)) {
            form_ = program_.WaitForMainWindow(L"TarnWinForm", 20000);
        }
    }

    HWND form() const { return form_; }
    launch::StartedProgram& program() { return program_; }
    const launch::StartedProgram& program() const { return program_; }

    // The control with the id, anywhere under the main window.
    HWND Control(int id) const { return launch::FindDescendant(form_, id); }

    // The window of the program's thread that has the keyboard focus.
    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(form_, nullptr), &info);
        return info.hwndFocus;
    }

    // Waits until the focus is somewhere other than on `from`.
    HWND WaitForFocusToLeave(HWND from) const {
        test_support::WaitUntil([&] { return Focus() != from; });
        return Focus();
    }

    // A key pressed and released on a window, through the program's message loop.
    void PressKey(HWND window, UINT key) const { test_support::PostKeyPress(window, key); }

    // A visible window of the program with the class and caption, waiting
    // for it up to timeoutMs; nullptr when none came.
    HWND WaitForWindow(const wchar_t* className, const std::wstring& caption,
                       DWORD timeoutMs = 5000) const {
        HWND found = nullptr;
        test_support::WaitUntil(
            [&] {
                const std::vector<HWND> windows =
                    test_support::ProcessWindows(program_.processId(), className, caption.c_str());
                found = windows.empty() ? nullptr : windows.front();
                return found != nullptr;
            },
            timeoutMs);
        return found;
    }

private:
    launch::StartedProgram program_;
    HWND form_ = nullptr;
};

} // namespace main_window_test
