// Helpers for GUI tests under Wine: pumping messages, message boxes, screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace test_support {

// Dispatches every queued message of this thread until the queue stays empty
// (sent messages included), or until timeoutMs passes. Returns the number of
// messages dispatched. A WM_QUIT met on the way is put back in the queue.
int PumpMessagesUntilIdle(DWORD timeoutMs = 2000);

// Finds a visible message box (dialog class "#32770") of this process whose
// caption is the given text, waiting up to timeoutMs while pumping messages.
HWND FindMessageBox(const std::wstring& caption, DWORD timeoutMs = 2000);

// The text of the static message control of a message box.
std::wstring MessageBoxText(HWND box);

// Presses the message box's default button (IDOK, or IDCANCEL if there is no
// OK button). Returns false when box is no message box.
bool DismissMessageBox(HWND box);

// Captures the whole virtual screen into a PNG file. Returns false on failure.
bool CaptureScreenToPng(const std::wstring& path);

// Runs work on another thread while this one dispatches what reaches it
// (messages that work sends here included) until work is done.
void RunOnAnotherThread(const std::function<void()>& work);

// A top-level window on a thread of its own that takes every message, counts
// those of one kind and answers them with a given value: a window of another
// thread (as of another program) for tests of what may be sent where.
class OtherThreadWindow {
public:
    OtherThreadWindow(UINT counted, LRESULT answer = 0, DWORD style = WS_POPUP);
    ~OtherThreadWindow();
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // How many of the counted messages arrived, everything sent before included.
    int Count() const;

private:
    struct State;
    std::unique_ptr<State> state_;
    HWND hwnd_ = nullptr;
};

} // namespace test_support
