// Start-up and the exception report, watched from outside the reporting program.
#include "tests/support/WindowQueries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

std::wstring TextOf(HWND hwnd) {
    return test_support::WindowText(hwnd);
}

// The report program beside this test, run with one argument.
class ReportRun {
public:
    explicit ReportRun(const std::wstring& argument) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring exe(path);
        exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"native_report_program.exe";
        std::wstring command = L"\"" + exe + L"\" " + argument;
        STARTUPINFOW startup = {sizeof(startup)};
        started_ = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    ~ReportRun() {
        if (started_) {
            TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }

    bool Started() const { return started_; }

    // The program's message box, waiting until it shows or the program ends.
    HWND WaitForMessageBox() {
        for (int i = 0; i < 1000; ++i) {
            const std::vector<HWND> boxes =
                test_support::ProcessWindows(process_.dwProcessId, L"#32770");
            if (!boxes.empty()) {
                return boxes.front();
            }
            if (WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0) {
                return nullptr;
            }
        }
        return nullptr;
    }

    // The exit code once the program ended (within 20 seconds), else 99.
    DWORD ExitCode() {
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
            return 99;
        }
        DWORD code = 99;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

constexpr DWORD kFatal = static_cast<DWORD>(-1);

TEST(ProgramReport, AnExceptionEscapingTheBodyIsShownAndEndsTheProcessWithMinusOne) {
    struct Case {
        const wchar_t* argument;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"tarn5", L"俘获到异常,代码值为: 5, 描述为: XYZ"},
        {L"tarnnegative", L"俘获到异常,代码值为: -12, 描述为: "},
        {L"other", L"程序在运行时抛出了未被管理的异常"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.argument[0]));
        ReportRun run(c.argument);
        ASSERT_TRUE(run.Started());
        HWND box = run.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(TextOf(box), L"运行时异常");
        EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), c.text);
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the report has no owner window";
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK only";
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(run.ExitCode(), kFatal);
    }
}

TEST(ProgramReport, StartUpEndsQuietlyWithItsExitCode) {
    struct Case {
        const wchar_t* argument;
        DWORD exitCode;
    };
    const Case cases[] = {
        {L"normal", 0},              // main window made, closed, quit code 0
        {L"nowindow", kFatal},       // the body made no main window: a failed start
        {L"wrongclass", kFatal},     // the class record made no program object
        {L"windowthenexit", kFatal}, // exit(-1) with a window alive ends cleanly
    };
    for (const Case& c : cases) {
        ReportRun run(c.argument);
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.ExitCode(), c.exitCode) << static_cast<int>(c.argument[0]);
    }
}

} // namespace
