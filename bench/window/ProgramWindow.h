// Starting a windowed program and driving its main window from another process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace launch {

// A program started by this process. Owns the process and thread handles;
// a program still running when the object goes is ended, so that a failed
// check never leaves a window behind in the session.
class StartedProgram {
public:
    StartedProgram() = default;
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Starts the program (a Windows path, or a Unix path taken on drive Z:
    // as Wine maps it) with the given argument text. False when it did not start.
    bool Start(const std::wstring& path, const std::wstring& arguments = {});

    // Waits until the program has gone idle (it waits for input with an
    // empty queue) and shows a top-level window of the class; returns that
    // window, or nullptr when timeoutMs passed or the program ended first.
    HWND WaitForMainWindow(const wchar_t* className, DWORD timeoutMs);

    // The exit code once the program has ended, or nothing after timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);

    HANDLE process() const { return info_.hProcess; }
    DWORD processId() const { return info_.dwProcessId; }
    DWORD threadId() const { return info_.dwThreadId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// The Windows path of a path given on the command line: Unix paths (from
// the scripts) are on drive Z: under Wine.
std::wstring WindowsPath(const std::wstring& path);

// The directory of the running executable, with its trailing backslash.
std::wstring ExecutableDirectory();

// The first visible top-level window of the process with this class.
HWND FindTopLevelWindow(DWORD processId, const wchar_t* className);

// The descendant of root with the control id, searched through all levels.
HWND FindDescendant(HWND root, int id);

std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);

// Asks a window to close the way its close box and Alt+F4 do.
void CloseAsUser(HWND window);

// Copies what the screen shows of the window (frame included) into a PNG file.
bool CaptureWindowToPng(HWND window, const std::wstring& path);

// The working set of a process in bytes, 0 when it cannot be read.
SIZE_T WorkingSetBytes(HANDLE process);

// Elapsed time with the performance counter.
class Stopwatch {
public:
    Stopwatch();
    double ElapsedMs() const;
    // The counter reading the watch started at.
    int64_t StartTicks() const { return start_.QuadPart; }

private:
    LARGE_INTEGER start_;
};

} // namespace launch
