// Helpers for GUI tests under Wine: pumping messages, message boxes, screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

// Dispatches every queued message of this thread until the queue stays empty
// (sent messages included), or until timeoutMs passes. Returns the number of
// messages dispatched. A WM_QUIT met on the way is put back in the queue.
int PumpMessagesUntilIdle(DWORD timeoutMs = 2000);

// Dispatches this thread's messages until condition holds or deadlineMs
// passes, checking it after every round of messages; between rounds it blocks
// until a message arrives (or a short while passes), never for a fixed time.
// Returns whether condition held; a WM_QUIT met on the way is put back.
bool WaitUntil(const std::function<bool()>& condition, DWORD deadlineMs = 5000);

// Removes this thread's quit message if one is queued, giving its exit code.
bool TakeQuitMessage(int* code);

// Dispatches every message left in this thread's queue and removes the quit
// message too, so that what a test's loop left behind reaches no later test.
void DrainQueue();

// Finds a visible message box (dialog class "#32770") of this process whose
// caption is the given text, waiting up to timeoutMs while pumping messages.
// A timeout of 0 looks once and pumps nothing, for use inside a modal loop.
HWND FindMessageBox(const std::wstring& caption, DWORD timeoutMs = 2000);

// The text of the static message control of a message box.
std::wstring MessageBoxText(HWND box);

// Presses the message box's default button (IDOK, or IDCANCEL if there is no
// OK button). Returns false when box is no message box.
bool DismissMessageBox(HWND box);

// Closes message boxes of this process from a timer that runs inside their
// own modal loop, so that the test on this thread can make the call that
// shows them. On each tick the first visible box with one of the captions (in
// the order given) gets whileOpen(box), then its default button; whileOpen may
// return false to leave the box open for a later tick. When the deadline
// passes the closer ends every message box of this process and fails the
// test: a box that is never found or never answers fails instead of hanging.
// One closer lives on the test's thread at a time.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(std::vector<std::wstring> captions, DWORD deadlineMs = 5000,
                              std::function<bool(HWND box)> whileOpen = {});
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // How many boxes were closed through their button, and the text of the first.
    int Closed() const { return closed_; }
    const std::wstring& FirstText() const { return firstText_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    std::vector<std::wstring> captions_;
    std::function<bool(HWND)> whileOpen_;
    DWORD start_;
    DWORD deadlineMs_;
    UINT_PTR timer_ = 0;
    int closed_ = 0;
    bool expired_ = false;
    std::wstring firstText_;
};

// Registers, once per name, a window class of this program for plain test
// windows: the default window procedure, the arrow cursor, the given class
// styles and background (none when null). Returns name.
const wchar_t* RegisterPlainClass(const wchar_t* name, UINT style, HBRUSH background);

// Captures the whole virtual screen into a PNG file. Returns false on failure.
bool CaptureScreenToPng(const std::wstring& path);

// Runs work on another thread while this one dispatches what reaches it
// (messages that work sends here included) until work is done.
void RunOnAnotherThread(const std::function<void()>& work);

// Runs work on another thread while this one takes only the messages sent to
// it (posted ones stay queued), for a test whose step must run inside a send
// from another thread; returns when work is done.
void AnswerSendsDuring(const std::function<void()>& work);

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
