// The tool as another program on the desktop meets it: messages that carry what the tool trusts,
// forged and posted or sent from outside, and messages aimed at its waits. The tool must live on,
// answer, open at most one box, and still convert and close as a user expects.
#include "bench/window/ProgramWindow.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kShowPage = 0x9FF7;
constexpr UINT kReadCurrentPage = 0x9FF8;
constexpr LPARAM kMarker = 0x12D12AB;
constexpr DWORD kWaitMs = 5000;

// Handles, and values that look like pointers, that no part of the tool gave out.
const ULONG_PTR kGuesses[] = {0x10, 0x12345678, 0x7FFF12340000, ~ULONG_PTR{0}, 0x140000000};

// One run of the tool for the whole suite, driven in the order of the tests:
// the last one checks that after everything before it the tool still works.
class ForeignProcess : public testing::Test {
protected:
    static void SetUpTestSuite() {
        tool_ = new launch::StartedProgram();
        if (tool_->Start(L"" QORVATH_QORVATH)) {
            form_ = tool_->WaitForMainWindow(L"TarnWinForm", 20000);
        }
    }
    static void TearDownTestSuite() {
        delete tool_; // ends a tool still running
        tool_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(form_, nullptr) << "no main window";
        ASSERT_TRUE(Alive());
    }

    static HWND Control(int id) { return launch::FindDescendant(form_, id); }
    static bool Alive() { return WaitForSingleObject(tool_->process(), 0) == WAIT_TIMEOUT; }

    // The tool answers a message within timeoutMs: it does not wait on anyone.
    static bool Answers(DWORD timeoutMs) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
    }
    // Sends without ever waiting on a tool that hangs; false when it did not answer.
    static bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     DWORD_PTR* result = nullptr) {
        DWORD_PTR answer = 0;
        const bool answered =
            SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kWaitMs, &answer);
        if (result != nullptr) {
            *result = answer;
        }
        return answered;
    }
    static std::wstring Text(int id) {
        wchar_t text[256] = {};
        Send(Control(id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void SetText(int id, const wchar_t* text) {
        Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    // Waits until the tool has handled everything posted to it so far: a
    // digit posted behind it shows up in the SPT box of the lower group.
    static bool Settle() {
        SetText(109, L"");
        PostMessageW(Control(109), WM_CHAR, '7', 1);
        test_support::WaitUntil([] { return !Alive() || Text(109) == L"7"; }, kWaitMs);
        const bool settled = Alive() && Text(109) == L"7";
        SetText(109, L"");
        return settled;
    }

    // The tool's visible message boxes.
    static std::vector<HWND> Boxes() {
        return test_support::ProcessWindows(tool_->processId(), L"#32770");
    }

    // The main window and every window inside it.
    static std::vector<HWND> Windows() { return test_support::WindowAndDescendants(form_); }

    static launch::StartedProgram* tool_;
    static HWND form_;
};

launch::StartedProgram* ForeignProcess::tool_ = nullptr;
HWND ForeignProcess::form_ = nullptr;

// The platform never carries a notification's header between processes: one
// from outside points into nothing of the tool's.
TEST_F(ForeignProcess, NotificationsFromOutsideAreNeverRead) {
    for (const int id : {0, 111, 101, 110}) {
        SCOPED_TRACE(id);
        const HWND target = id == 0 ? form_ : Control(id);
        ASSERT_NE(target, nullptr);
        PostMessageW(target, WM_NOTIFY, 0, 0x10);
        Send(target, WM_NOTIFY, 0, 0x10);
        EXPECT_TRUE(Settle());
        EXPECT_TRUE(Answers(1000));
    }
}

// A window of this process whose thread never takes a message again until
// it is let go, and which counts the page questions it was asked meanwhile.
class SilentWindow {
public:
    SilentWindow() {
        thread_ = std::thread([this] {
            static std::atomic<int>* asked;
            asked = &asked_;
            WNDCLASSW wc = {};
            wc.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
                *asked += message == kReadCurrentPage ? 1 : 0;
                return DefWindowProcW(hwnd, message, wParam, lParam);
            };
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QorvathSilentWindow";
            RegisterClassW(&wc);
            hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, wc.hInstance, nullptr);
            created_ = true;
            WaitForSingleObject(release_, INFINITE); // silent: no message is taken here
            test_support::DrainQueue();              // what waited comes in now
            DestroyWindow(hwnd_);
        });
        test_support::WaitUntil([this] { return created_.load(); });
    }
    ~SilentWindow() { Release(); }

    HWND hwnd() const { return hwnd_; }
    // Lets the thread take what was sent to the window; the number of page questions.
    int Release() {
        if (thread_.joinable()) {
            SetEvent(release_);
            thread_.join();
            CloseHandle(release_);
        }
        return asked_;
    }

private:
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> created_{false};
    std::atomic<int> asked_{0};
    HWND hwnd_ = nullptr;
    std::thread thread_;
};

// A page switch naming a window of another program, one that never
// answers: the tool asks it nothing and answers at once.
TEST_F(ForeignProcess, APageSwitchNamingAnotherProgramsWindowWaitsOnNothing) {
    SilentWindow silent;
    const WPARAM named = reinterpret_cast<WPARAM>(silent.hwnd());
    PostMessageW(form_, kShowPage, named, kMarker);
    EXPECT_TRUE(Settle());
    DWORD_PTR answer = 0;
    EXPECT_TRUE(Send(form_, kShowPage, named, kMarker, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(kMarker));
    const launch::Stopwatch clock;
    EXPECT_TRUE(Answers(1000));
    EXPECT_LT(clock.ElapsedMs(), 1000.0);
    EXPECT_EQ(silent.Release(), 0) << "the silent window was asked for its page";
}

// Drops no window of the tool asked for, with handles that are no drops:
// nothing is read, nothing freed, and the tool lives on.
TEST_F(ForeignProcess, GuessedDropsOnEveryWindowChangeNothing) {
    const std::vector<HWND> windows = Windows();
    EXPECT_EQ(windows.size(), 19u);
    for (HWND window : windows) {
        for (const ULONG_PTR guess : kGuesses) {
            PostMessageW(window, WM_DROPFILES, static_cast<WPARAM>(guess), 0);
            Send(window, WM_DROPFILES, static_cast<WPARAM>(guess), 0);
        }
    }
    EXPECT_TRUE(Settle());
    EXPECT_TRUE(Answers(1000));
}

// Clicks on the track-to-ABA button with its inputs empty: forged
// notifications posted to its group box are dropped, and of three clicks
// posted to the button only the first opens the missing-input box; the
// others reach a button whose window the box has disabled.
TEST_F(ForeignProcess, ForgedClicksNeverOpenMoreThanOneBox) {
    SetText(114, L"");
    SetText(115, L"");
    const HWND button = Control(117);
    const HWND group = Control(111);
    for (int i = 0; i < 3; ++i) {
        PostMessageW(group, WM_COMMAND, MAKEWPARAM(117, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    EXPECT_TRUE(Settle());
    EXPECT_TRUE(Boxes().empty()) << "posted notifications are forged";

    for (int i = 0; i < 3; ++i) {
        PostMessageW(button, BM_CLICK, 0, 0);
    }
    test_support::WaitUntil([] { return !Boxes().empty() || !Alive(); }, kWaitMs);
    EXPECT_TRUE(Settle()) << "the box's loop takes what was posted";
    Send(group, WM_COMMAND, MAKEWPARAM(117, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_TRUE(Settle());
    EXPECT_EQ(Boxes().size(), 1u);

    // Closed with its OK button, the box leaves no other behind.
    for (int round = 0; round < 4 && !Boxes().empty(); ++round) {
        const HWND box = Boxes().front();
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(test_support::WaitUntil([&] { return !IsWindow(box); }, kWaitMs));
        EXPECT_TRUE(Settle());
    }
    EXPECT_TRUE(Boxes().empty());
}

// After everything above the tool converts as before and closes as a user closes it.
TEST_F(ForeignProcess, AfterAllOfThatTheToolConvertsAndClosesWithZero) {
    SetText(110, L"1000");
    SetText(109, L"63");
    Send(Control(106), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(108), L"241");
    EXPECT_EQ(Text(107), L"55");
    launch::CloseAsUser(form_);
    const std::optional<DWORD> code = tool_->WaitForExit(10000);
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_EQ(*code, 0u);
}

} // namespace
