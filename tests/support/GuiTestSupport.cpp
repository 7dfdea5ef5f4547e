#include "tests/support/GuiTestSupport.h"

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace test_support {

int PumpMessagesUntilIdle(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    int count = 0;
    MSG msg;
    for (;;) {
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return count;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            ++count;
            any = true;
            if (GetTickCount() - start > timeoutMs) {
                return count;
            }
        }
        // A short wait lets Wine deliver cross-process and timer messages.
        if (!any && MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_TIMEOUT) {
            return count;
        }
        if (GetTickCount() - start > timeoutMs) {
            return count;
        }
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD deadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return condition();
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (condition()) {
            return true;
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= deadlineMs) {
            return false;
        }
        // Wakes for any message; the short bound lets the condition see
        // changes made by other threads and processes.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, deadlineMs - spent),
                                  QS_ALLINPUT);
    }
}

bool TakeQuitMessage(int* code) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return false;
    }
    *code = static_cast<int>(msg.wParam);
    return true;
}

void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            DispatchMessageW(&msg);
        }
    }
}

const wchar_t* RegisterPlainClass(const wchar_t* name, UINT style, HBRUSH background) {
    WNDCLASSW windowClass = {};
    if (GetClassInfoW(GetModuleHandleW(nullptr), name, &windowClass)) {
        return name;
    }
    windowClass.style = style;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
    return name;
}

namespace {

struct BoxSearch {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK FindBoxProc(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) {
        return TRUE; // Another test program of the shared Wine session.
    }
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(hwnd)) {
        return TRUE;
    }
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    if (*search->caption == text) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindMessageBox(const std::wstring& caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        BoxSearch search{&caption, nullptr};
        // Every top-level window: the box may belong to any thread of this process.
        EnumWindows(FindBoxProc, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        if (timeoutMs == 0 || GetTickCount() - start > timeoutMs) {
            return nullptr;
        }
        PumpMessagesUntilIdle(50);
    }
}

std::wstring MessageBoxText(HWND box) {
    // The message is the static control with id 0xFFFF in the platform's
    // message box template.
    HWND label = GetDlgItem(box, 0xFFFF);
    if (label == nullptr) {
        return {};
    }
    wchar_t text[1024] = {};
    GetWindowTextW(label, text, 1024);
    return text;
}

bool DismissMessageBox(HWND box) {
    if (box == nullptr || !IsWindow(box)) {
        return false;
    }
    const int button = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDCANCEL;
    // Clicked as a user clicks it: the button itself tells the box. A posted
    // WM_COMMAND naming the button is a forgery that the runtime drops.
    PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    return true;
}

namespace {

MessageBoxCloser* g_closer = nullptr;

// Ends the modal loop of every visible message box of this process; counts them.
BOOL CALLBACK EndBoxProc(HWND hwnd, LPARAM ended) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if (process == GetCurrentProcessId() && std::wstring(className) == L"#32770" &&
        IsWindowVisible(hwnd)) {
        EndDialog(hwnd, IDABORT);
        ++*reinterpret_cast<int*>(ended);
    }
    return TRUE;
}

} // namespace

MessageBoxCloser::MessageBoxCloser(std::vector<std::wstring> captions, DWORD deadlineMs,
                                   std::function<bool(HWND box)> whileOpen)
    : captions_(std::move(captions)), whileOpen_(std::move(whileOpen)), start_(GetTickCount()),
      deadlineMs_(deadlineMs) {
    g_closer = this;
    timer_ = SetTimer(nullptr, 0, 20, &Tick);
}

MessageBoxCloser::~MessageBoxCloser() {
    KillTimer(nullptr, timer_);
    g_closer = nullptr;
}

void CALLBACK MessageBoxCloser::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_closer != nullptr) {
        g_closer->OnTick();
    }
}

void MessageBoxCloser::OnTick() {
    if (GetTickCount() - start_ > deadlineMs_) {
        // Whatever box is still open ends, and the test goes on to fail.
        int ended = 0;
        EnumWindows(EndBoxProc, reinterpret_cast<LPARAM>(&ended));
        if (ended > 0 && !expired_) {
            expired_ = true;
            ADD_FAILURE() << "a message box was still open after " << deadlineMs_ << " ms";
        }
        return;
    }
    for (const std::wstring& caption : captions_) {
        HWND box = FindMessageBox(caption, 0);
        if (box == nullptr) {
            continue;
        }
        if (whileOpen_ && !whileOpen_(box)) {
            return;
        }
        if (closed_++ == 0) {
            firstText_ = MessageBoxText(box);
        }
        DismissMessageBox(box);
        return;
    }
}

namespace {

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

bool CaptureScreenToPng(const std::wstring& path) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        return false;
    }
    bool saved = false;
    {
        const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
        SelectObject(memory, old);
        {
            Gdiplus::Bitmap image(bitmap, nullptr);
            CLSID png;
            saved = FindPngEncoder(&png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
        }
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

namespace {

// Runs work on another thread while this one waits for the messages of
// wakeMask and takes them with take, until work is done.
void RunTaking(const std::function<void()>& work, DWORD wakeMask, void (*take)()) {
    std::atomic<bool> done{false};
    std::thread other([&] {
        work();
        done = true;
    });
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, wakeMask);
        take();
    }
    other.join();
}

} // namespace

void RunOnAnotherThread(const std::function<void()>& work) {
    RunTaking(work, QS_ALLINPUT, [] {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    });
}

void AnswerSendsDuring(const std::function<void()>& work) {
    // A peek that removes nothing still delivers the messages sent here.
    RunTaking(work, QS_SENDMESSAGE, [] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    });
}

struct OtherThreadWindow::State {
    UINT counted = 0;
    LRESULT answer = 0;
    std::atomic<int> count{0};
    std::atomic<bool> stop{false};
    std::atomic<HWND> hwnd{nullptr};
    std::thread thread;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0));
        if (state != nullptr && message == state->counted) {
            ++state->count;
            return state->answer;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

OtherThreadWindow::OtherThreadWindow(UINT counted, LRESULT answer, DWORD style)
    : state_(std::make_unique<State>()) {
    state_->counted = counted;
    state_->answer = answer;
    State* state = state_.get();
    state_->thread = std::thread([state, style] {
        static const ATOM atom = [] {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &State::Proc;
            wc.cbWndExtra = sizeof(State*); // the user data stays free for the tests
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QorvathOtherThreadWindow";
            return RegisterClassW(&wc);
        }();
        HWND window = CreateWindowExW(0, MAKEINTATOM(atom), L"", style, 0, 0, 200, 150, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(state));
        state->hwnd = window;
        while (!state->stop) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&msg);
            }
        }
        DestroyWindow(window);
    });
    while (state_->hwnd == nullptr) {
        std::this_thread::yield();
    }
    hwnd_ = state_->hwnd;
}

OtherThreadWindow::~OtherThreadWindow() {
    state_->stop = true;
    state_->thread.join();
}

int OtherThreadWindow::Count() const {
    SendMessageW(hwnd_, WM_NULL, 0, 0); // whatever was sent before has arrived by now
    return state_->count;
}

} // namespace test_support
