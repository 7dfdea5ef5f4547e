#include "framework/WinApp.h"
#include "framework/OleSupport.h"
#include "framework/Wnd.h"
#include "tests/framework/ScriptedApp.h"
#include "tests/framework/TestWindows.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using framework_test::CreateChild;
using framework_test::CreateTopLevel;
using framework_test::RecordingWnd;
using framework_test::ScriptedApp;

TEST(WinApp, TheApplicationObjectIsReachableWhileItExists) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleW(nullptr));
    {
        ScriptedApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_TRUE(app.IsResourceSmartUpdate());
        EXPECT_TRUE(app.IsKindOf("CWinApp"));
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
        CWnd main;
        app.SetMainWnd(&main);
        EXPECT_EQ(AfxGetMainWnd(), &main);
        app.SetMainWnd(nullptr);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(RunApplication(nullptr, SW_SHOW), -1) << "no application object to run";
}

TEST(WinApp, IdleCountsRunFromZeroAndRestartAfterAMessage) {
    ScriptedApp app;
    RecordingWnd main;
    int rounds = 0;
    app.init = [&] {
        if (!CreateTopLevel(main, WS_OVERLAPPEDWINDOW)) {
            return FALSE;
        }
        app.SetMainWnd(&main);
        return TRUE;
    };
    app.preTranslate = [&](MSG* msg) {
        if (msg->message == WM_APP) {
            app.log.push_back("message");
        }
        return FALSE;
    };
    app.idle = [&](LONG count) {
        if (count < 3) {
            return TRUE;
        }
        if (++rounds == 1) {
            main.PostMessage(WM_APP);
        } else {
            main.DestroyWindow(); // ends the loop
        }
        return FALSE;
    };
    EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), 0);
    const std::vector<std::string> expected = {"idle 0", "idle 1", "idle 2", "idle 3", "message",
                                               "idle 0", "idle 1", "idle 2", "idle 3"};
    EXPECT_EQ(app.log, expected);
    EXPECT_EQ(main.Count(WM_APP), 1);
    EXPECT_EQ(app.runCalls, 1);
    EXPECT_EQ(app.exitCalls, 1);
    EXPECT_EQ(app.GetMainWnd(), nullptr) << "the destroyed main window was not cleared";
}

TEST(WinApp, DestroyingTheMainWindowEndsTheLoopWithExitCodeZero) {
    ScriptedApp app;
    RecordingWnd main;
    RecordingWnd other;
    app.init = [&] {
        if (!CreateTopLevel(main, WS_OVERLAPPEDWINDOW) ||
            !CreateTopLevel(other, WS_OVERLAPPEDWINDOW)) {
            return FALSE;
        }
        app.SetMainWnd(&main);
        other.PostMessage(WM_CLOSE); // another window's end does not end the loop
        main.PostMessage(WM_APP);
        return TRUE;
    };
    app.preTranslate = [&](MSG* msg) {
        if (msg->message == WM_APP) {
            main.PostMessage(WM_CLOSE);
        }
        return FALSE;
    };
    EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), 0);
    EXPECT_EQ(other.GetSafeHwnd(), nullptr);
    EXPECT_EQ(main.Count(WM_CLOSE), 1);
    EXPECT_EQ(main.GetSafeHwnd(), nullptr);
    EXPECT_EQ(app.exitCalls, 1);
}

TEST(WinApp, OnlyTheMainWindowsEndEndsTheApplication) {
    ScriptedApp app;
    int code = -1;
    // The window goes first: cleared and the quit message posted with 0.
    RecordingWnd main;
    ASSERT_TRUE(CreateTopLevel(main));
    RecordingWnd other;
    ASSERT_TRUE(CreateTopLevel(other));
    app.SetMainWnd(&main);
    app.OnMainWindowGone(nullptr);
    other.DestroyWindow();
    EXPECT_EQ(app.GetMainWnd(), &main) << "another window's end cleared the main window";
    EXPECT_FALSE(test_support::TakeQuitMessage(&code));
    main.DestroyWindow();
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_TRUE(test_support::TakeQuitMessage(&code));
    EXPECT_EQ(code, 0);

    // The object goes first, its window with it: the same.
    {
        RecordingWnd shortLived;
        ASSERT_TRUE(CreateTopLevel(shortLived));
        app.SetMainWnd(&shortLived);
    }
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    code = -1;
    EXPECT_TRUE(test_support::TakeQuitMessage(&code));
    EXPECT_EQ(code, 0);
}

TEST(WinApp, ATemporaryMainWindowGoesWithoutEndingTheApplication) {
    ScriptedApp app;
    int code = 0;
    RecordingWnd stand;
    ASSERT_TRUE(CreateTopLevel(stand));
    app.SetTemporaryMainWnd(&stand);
    EXPECT_EQ(AfxGetMainWnd(), &stand);
    stand.DestroyWindow();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_FALSE(test_support::TakeQuitMessage(&code))
        << "a temporary main window ended the application";

    {
        RecordingWnd shortLived;
        ASSERT_TRUE(CreateTopLevel(shortLived));
        app.SetTemporaryMainWnd(&shortLived);
    }
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_FALSE(test_support::TakeQuitMessage(&code));

    // Made the main window for good, it ends the application again.
    RecordingWnd main;
    ASSERT_TRUE(CreateTopLevel(main));
    app.SetTemporaryMainWnd(&main);
    app.SetMainWnd(&main);
    main.DestroyWindow();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(test_support::TakeQuitMessage(&code));
    EXPECT_EQ(code, 0);
}

TEST(WinApp, TheQuitMessagesCodeIsTheExitCode) {
    const int codes[] = {0, 7, -3, 65535};
    for (const int code : codes) {
        ScriptedApp app;
        app.init = [code] {
            PostQuitMessage(code);
            return TRUE;
        };
        EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), code);
        EXPECT_EQ(app.exitCalls, 1);
    }
}

TEST(WinApp, AFailedStartGoesStraightToExitInstance) {
    ScriptedApp app;
    app.init = [] { return FALSE; };
    EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), -1);
    EXPECT_EQ(app.runCalls, 0);
    EXPECT_EQ(app.exitCalls, 1);
    EXPECT_TRUE(app.log.empty()) << "idle work ran without a message loop";
}

TEST(WinApp, TheDefaultIdleWorkWantsNoMoreAfterCountZero) {
    ScriptedApp app;
    EXPECT_FALSE(app.CWinAppEx::OnIdle(0));
    EXPECT_FALSE(app.CWinAppEx::OnIdle(1));
    // With OLE running, count 0 releases unused libraries; still no more wanted.
    ASSERT_TRUE(AfxOleInit());
    EXPECT_FALSE(app.CWinAppEx::OnIdle(0));
    AfxOleTerm();
}

TEST(WinApp, PaintSystemTimerAndMouseMovesInPlaceDoNotRestartIdleWork) {
    ScriptedApp app;
    struct Case {
        UINT message;
        POINT point;
        bool restarts;
    };
    const Case cases[] = {
        {WM_KEYDOWN, {0, 0}, true},      {WM_TIMER, {0, 0}, true},
        {WM_PAINT, {0, 0}, false},       {0x0118, {0, 0}, false}, // the system timer
        {WM_MOUSEMOVE, {5, 5}, true},    {WM_MOUSEMOVE, {5, 5}, false},
        {WM_MOUSEMOVE, {6, 5}, true},    {WM_NCMOUSEMOVE, {6, 5}, true},
        {WM_NCMOUSEMOVE, {6, 5}, false}, {WM_MOUSEMOVE, {6, 5}, true},
        {WM_LBUTTONDOWN, {6, 5}, true},  {WM_MOUSEMOVE, {6, 5}, false},
        {WM_APP, {0, 0}, true},          {WM_NULL, {0, 0}, true},
    };
    int index = 0;
    for (const Case& c : cases) {
        MSG msg = {};
        msg.message = c.message;
        msg.pt = c.point;
        EXPECT_EQ(app.IsIdleMessage(&msg) != FALSE, c.restarts) << "case " << index;
        ++index;
    }
    EXPECT_FALSE(app.IsIdleMessage(nullptr));
}

// Records the keyboard messages offered to it, and may consume them.
class PreTranslateWnd : public RecordingWnd {
public:
    PreTranslateWnd(std::vector<std::string>* log, std::string name)
        : m_log(log), m_name(std::move(name)) {}
    bool consume = false;

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            m_log->push_back(m_name);
            return consume ? TRUE : FALSE;
        }
        return FALSE;
    }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

TEST(WinApp, PreTranslationWalksFromTheMessagesWindowOutToItsTopLevelWindow) {
    struct Case {
        bool panelConsumes;
        std::vector<std::string> expected;
        int editKeyDowns;
    };
    const Case cases[] = {
        {false, {"edit", "panel", "frame", "frame", "popup"}, 1},
        {true, {"edit", "panel", "frame", "popup"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        ScriptedApp app;
        PreTranslateWnd frame(&log, "frame");
        PreTranslateWnd panel(&log, "panel");
        PreTranslateWnd edit(&log, "edit");
        PreTranslateWnd popup(&log, "popup");
        panel.consume = c.panelConsumes;
        HWND plain = nullptr;
        app.init = [&] {
            if (!CreateTopLevel(frame, WS_OVERLAPPEDWINDOW) ||
                !CreateChild(panel, framework_test::TestClassName(), frame, 1) ||
                !CreateChild(edit, L"EDIT", panel, 2) ||
                !popup.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, frame.GetSafeHwnd(),
                                nullptr)) {
                return FALSE;
            }
            // A child without a framework object passes the walk on.
            plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, frame.GetSafeHwnd(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
            app.SetMainWnd(&frame);
            edit.PostMessage(WM_KEYDOWN, 'A', 0);
            PostMessageW(plain, WM_KEYDOWN, 'B', 0);
            // An owned pop-up is a top-level window: its owner is not asked.
            popup.PostMessage(WM_KEYDOWN, 'C', 0);
            PostThreadMessageW(GetCurrentThreadId(), WM_KEYDOWN, 'D', 0);
            frame.PostMessage(WM_CLOSE);
            return TRUE;
        };
        EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), 0);
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(edit.Count(WM_KEYDOWN), c.editKeyDowns) << "consumed messages are not dispatched";
    }
}

// The entry point links into a windowed program: started with arguments, it
// runs its application object and ends with the application's exit code.
int RunEntryProgram(const std::wstring& arguments) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program = path;
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"framework_entry_program.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start the entry program";
        return -1000;
    }
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1000);
        ADD_FAILURE() << "the entry program did not end";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

TEST(WinMainEntry, AWindowedProgramRunsItsApplicationAndReturnsItsExitCode) {
    struct Case {
        const wchar_t* arguments;
        int exitCode;
    };
    // An exception thrown by a window's handler never crosses the window
    // procedure: it ends the process as memory exhaustion does.
    const Case cases[] = {{L"", 0}, {L"--quit=7", 7}, {L"--fail", -1}, {L"--throw", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(RunEntryProgram(c.arguments), c.exitCode) << "arguments: " << c.arguments;
    }
}

} // namespace
