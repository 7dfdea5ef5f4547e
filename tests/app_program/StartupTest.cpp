// What start-up leaves out and what it reports: neither program loads the
// DLLs of images or the shell before its window is idle, and
// the marked builds of both report each of their start-up steps once, in
// order, at their first idle moment.
#include "bench/window/StartupReport.h"
#include "tests/app_program/MainWindowPrograms.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using main_window_test::StartedWindow;

// The file names of the modules a process has loaded, in lower case.
std::vector<std::wstring> LoadedModules(HANDLE process) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::vector<std::wstring> names;
    if (!EnumProcessModules(process, modules, sizeof(modules), &bytes)) {
        return names;
    }
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t name[MAX_PATH] = {};
        if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH) > 0) {
            std::wstring lower = name;
            for (wchar_t& unit : lower) {
                unit = static_cast<wchar_t>(towlower(unit));
            }
            names.push_back(lower);
        }
    }
    return names;
}

class Startup : public testing::TestWithParam<std::wstring> {};

TEST_P(Startup, LoadsNeitherImagesNorTheShell) {
    StartedWindow window(GetParam());
    ASSERT_NE(window.form(), nullptr);
    const std::vector<std::wstring> modules = LoadedModules(window.program().process());
    ASSERT_FALSE(modules.empty());
    const std::wstring needed[] = {L"user32.dll", L"comctl32.dll", L"ole32.dll"};
    for (const std::wstring& name : needed) {
        EXPECT_NE(std::find(modules.begin(), modules.end(), name), modules.end()) << name.c_str();
    }
    const std::wstring bound[] = {L"gdiplus.dll", L"shell32.dll"};
    for (const std::wstring& name : bound) {
        EXPECT_EQ(std::find(modules.begin(), modules.end(), name), modules.end()) << name.c_str();
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, Startup, testing::ValuesIn(main_window_test::Programs()),
                         main_window_test::ProgramName);

// The report of one start-up of a marked build, read at its first idle moment.
bool ReportOf(const std::wstring& program, StartupReport* report) {
    launch::StartedProgram started;
    if (!started.Start(program)) {
        return false;
    }
    HWND form = started.WaitForMainWindow(L"TarnWinForm", 20000);
    const bool read = form != nullptr && ReadStartupReport(started.processId(), 5000, report);
    if (form != nullptr) {
        launch::CloseAsUser(form);
        const auto code = started.WaitForExit(20000);
        EXPECT_TRUE(code.has_value() && *code == 0) << "ends as the unmarked program does";
    }
    return read;
}

struct MarkedCase {
    const char* what;
    std::wstring program;
    std::vector<StartupMark> passed; // in this order; every other step is absent
};

TEST(StartupReport, MarkedBuildsReportEachOfTheirStepsOnceAndInOrder) {
    using M = StartupMark;
    const MarkedCase cases[] = {
        {"the tool",
         L"" QORVATH_QORVATH_MARKED,
         {M::kOleInitialised, M::kCommonControls, M::kFrameworkReady, M::kComInitialised,
          M::kDisplayScale, M::kProgramObject, M::kFormCreating, M::kChildrenCreating,
          M::kChildrenCreated, M::kFormCreated, M::kFirstIdle}},
        {"the bare window",
         L"" QORVATH_BARE_MAIN_WINDOW_MARKED,
         {M::kOleInitialised, M::kCommonControls, M::kComInitialised, M::kFormCreating,
          M::kChildrenCreating, M::kChildrenCreated, M::kFormCreated, M::kFirstIdle}},
    };
    for (const MarkedCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartupReport report;
        ASSERT_TRUE(ReportOf(c.program, &report));
        EXPECT_GT(report.entry, 0);
        int64_t previous = report.entry;
        for (M mark : c.passed) {
            const int64_t at = report.at[static_cast<int>(mark)];
            EXPECT_GE(at, previous) << "step " << static_cast<int>(mark);
            previous = at;
        }
        for (int mark = 0; mark < static_cast<int>(M::kCount); ++mark) {
            const bool expected =
                std::find(c.passed.begin(), c.passed.end(), static_cast<M>(mark)) != c.passed.end();
            EXPECT_EQ(report.at[mark] != 0, expected) << "step " << mark;
        }
        // One pair of hint marks for each of the five hints, inside the children's creation.
        EXPECT_EQ(report.hints, 5);
        EXPECT_GT(report.hintTicks, 0);
        EXPECT_LT(report.hintTicks, report.at[static_cast<int>(M::kChildrenCreated)] -
                                        report.at[static_cast<int>(M::kChildrenCreating)]);
    }
}

} // namespace
