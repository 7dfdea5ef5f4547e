#include "bench/window/ProgramWindow.h"

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>
#include <psapi.h>

#include <vector>

namespace launch {

StartedProgram::~StartedProgram() {
    if (info_.hProcess != nullptr) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool StartedProgram::Start(const std::wstring& path, const std::wstring& arguments) {
    if (info_.hProcess != nullptr) {
        return false;
    }
    const std::wstring program = WindowsPath(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

HWND StartedProgram::WaitForMainWindow(const wchar_t* className, DWORD timeoutMs) {
    if (info_.hProcess == nullptr) {
        return nullptr;
    }
    const DWORD start = GetTickCount();
    // WaitForInputIdle answers once the program first waited for input; its
    // main window may still be on its way then (a program can pump messages
    // before it creates the window), so the search goes on until it shows.
    // Short waits notice a program that ends without a window.
    for (;;) {
        const DWORD idle = WaitForInputIdle(info_.hProcess, 20);
        if (idle == 0) {
            if (HWND window = FindTopLevelWindow(info_.dwProcessId, className)) {
                return window;
            }
        }
        if (GetTickCount() - start > timeoutMs ||
            WaitForSingleObject(info_.hProcess, idle == 0 ? 1 : 0) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
}

std::optional<DWORD> StartedProgram::WaitForExit(DWORD timeoutMs) {
    if (info_.hProcess == nullptr ||
        WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::wstring WindowsPath(const std::wstring& path) {
    if (!path.empty() && path[0] == L'/') {
        std::wstring windows = L"Z:" + path;
        for (wchar_t& unit : windows) {
            if (unit == L'/') {
                unit = L'\\';
            }
        }
        return windows;
    }
    return path;
}

std::wstring ExecutableDirectory() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length);
    return directory.substr(0, directory.find_last_of(L"\\/") + 1);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->processId && IsWindowVisible(window) &&
        ClassNameOf(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindIdProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<IdSearch*>(param);
    if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool FindPngEncoder(CLSID* clsid) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return false;
    }
    std::vector<unsigned char> storage(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

HWND FindTopLevelWindow(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, nullptr};
    EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND root, int id) {
    IdSearch search{id, nullptr};
    EnumChildWindows(root, FindIdProc, reinterpret_cast<LPARAM>(&search)); // every level
    return search.found;
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT rather than GetWindowText: the latter reads a window of
    // another process from its cache, not from its window procedure.
    wchar_t text[512] = {};
    const LRESULT length = SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[128] = {};
    const int length = GetClassNameW(window, name, 128);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

void CloseAsUser(HWND window) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool CaptureWindowToPng(HWND window, const std::wstring& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        return false;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        return false;
    }
    bool saved = false;
    {
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        SelectObject(memory, old);
        {
            Gdiplus::Bitmap image(bitmap, nullptr);
            CLSID png;
            saved = FindPngEncoder(&png) &&
                    image.Save(WindowsPath(path).c_str(), &png, nullptr) == Gdiplus::Ok;
        }
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

SIZE_T WorkingSetBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
        return 0;
    }
    return counters.WorkingSetSize;
}

Stopwatch::Stopwatch() {
    QueryPerformanceCounter(&start_);
}

double Stopwatch::ElapsedMs() const {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace launch
