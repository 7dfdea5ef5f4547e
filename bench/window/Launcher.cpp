// Starts the converter (or its bare stand-in) under Wine for `make run` and
// `make bench`. A console program, so that the scripts read what it prints.
//
//   qorvath_launcher show <program> <screenshot.png>
//       starts the program, waits until its main window is idle, saves a
//       picture of the window, closes it as a user would and exits with the
//       program's exit code.
//   qorvath_launcher bench <program A> <program B> [runs] [clicks]
//       alternates launches of A and B (12 each by default) and prints how A
//       compares with B: start-up time, working set, and the time from a
//       button click to the result in the output box (ratio lines A / B).
//   qorvath_launcher steps <marked A> <marked B> [runs]
//       alternates launches of the marked builds of two programs (12 each
//       by default) and prints where their start-up goes: for every step,
//       the median time since the launch at which it was reached and the
//       median time it took.
#include "bench/window/ProgramWindow.h"
#include "bench/window/StartupReport.h"

#include "app/ConversionRules.h"
#include "runtime/WideText.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kFormClass[] = L"TarnWinForm";
constexpr DWORD kTimeoutMs = 30000;

int Show(const std::wstring& program, const std::wstring& screenshot) {
    launch::StartedProgram started;
    if (!started.Start(program)) {
        std::fwprintf(stderr, L"launcher: cannot start %ls\n", program.c_str());
        return 1;
    }
    HWND window = started.WaitForMainWindow(kFormClass, kTimeoutMs);
    if (window == nullptr) {
        std::fwprintf(stderr, L"launcher: no main window of class %ls appeared\n", kFormClass);
        return 1;
    }
    if (!launch::CaptureWindowToPng(window, screenshot)) {
        std::fwprintf(stderr, L"launcher: the screenshot could not be saved\n");
        return 1;
    }
    launch::CloseAsUser(window);
    const auto code = started.WaitForExit(kTimeoutMs);
    if (!code) {
        std::fwprintf(stderr, L"launcher: the program did not end after its window was closed\n");
        return 1;
    }
    return static_cast<int>(*code);
}

// What one launch measured.
struct Launch {
    double startMs = 0;
    double workingSetMiB = 0;
    double clickMs = 0; // median of the launch's clicks
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Waits for the output box to show the expected text; false after the timeout.
bool WaitForText(HWND window, const std::wstring& expected) {
    const DWORD start = GetTickCount();
    while (launch::WindowText(window) != expected) {
        if (GetTickCount() - start > kTimeoutMs) {
            return false;
        }
    }
    return true;
}

// Clicks both buttons in turn with fresh inputs each time, and times each
// click until its result is in the output box.
bool MeasureClicks(HWND form, int clicks, std::vector<double>* times) {
    HWND aba = launch::FindDescendant(form, 110);
    HWND spt = launch::FindDescendant(form, 109);
    HWND toTrack = launch::FindDescendant(form, 106);
    HWND track = launch::FindDescendant(form, 108);
    HWND spt2 = launch::FindDescendant(form, 115);
    HWND track2 = launch::FindDescendant(form, 114);
    HWND toAba = launch::FindDescendant(form, 117);
    HWND aba2 = launch::FindDescendant(form, 116);
    if (!aba || !spt || !toTrack || !track || !spt2 || !track2 || !toAba || !aba2) {
        std::fwprintf(stderr, L"launcher: the main window lacks a control with an id 106 to 117\n");
        return false;
    }
    for (int i = 0; i < clicks; ++i) {
        HWND button;
        HWND output;
        std::wstring expected;
        if (i % 2 == 0) {
            const std::wstring abaText = std::to_wstring(1000 + 37 * i);
            SetText(aba, abaText);
            SetText(spt, L"63");
            auto result = rg_tarn_app::ConvertAbaToTrack(FromWide(abaText.c_str()), u"63");
            expected = ToWide(result->track);
            button = toTrack;
            output = track;
        } else {
            const std::wstring trackText = std::to_wstring(1 + i % 200);
            SetText(spt2, L"63");
            SetText(track2, trackText);
            auto result = rg_tarn_app::ConvertTrackToAba(u"63", FromWide(trackText.c_str()));
            expected = ToWide(result.aba);
            button = toAba;
            output = aba2;
        }
        SetText(output, L"");
        launch::Stopwatch watch;
        SendMessageW(button, BM_CLICK, 0, 0);
        if (!WaitForText(output, expected)) {
            std::fwprintf(stderr, L"launcher: the click gave no result %ls\n", expected.c_str());
            return false;
        }
        times->push_back(watch.ElapsedMs());
    }
    return true;
}

bool MeasureLaunch(const std::wstring& program, int clicks, Launch* launch) {
    launch::StartedProgram started;
    launch::Stopwatch watch;
    if (!started.Start(program)) {
        std::fwprintf(stderr, L"launcher: cannot start %ls\n", program.c_str());
        return false;
    }
    HWND form = started.WaitForMainWindow(kFormClass, kTimeoutMs);
    launch->startMs = watch.ElapsedMs();
    if (form == nullptr) {
        std::fwprintf(stderr, L"launcher: %ls showed no main window\n", program.c_str());
        return false;
    }
    launch->workingSetMiB =
        static_cast<double>(launch::WorkingSetBytes(started.process())) / (1024.0 * 1024.0);
    std::vector<double> times;
    if (!MeasureClicks(form, clicks, &times)) {
        return false;
    }
    launch->clickMs = Median(times);
    launch::CloseAsUser(form);
    const auto code = started.WaitForExit(kTimeoutMs);
    if (!code || *code != 0) {
        std::fwprintf(stderr, L"launcher: %ls did not end with exit code 0\n", program.c_str());
        return false;
    }
    return true;
}

void PrintRatio(const char* what, double a, double b, const char* unit) {
    std::printf("ratio %s A / B: %.2f (A %.3f %s, B %.3f %s)\n", what, b > 0 ? a / b : 0.0, a, unit,
                b, unit);
}

int Bench(const std::wstring& programA, const std::wstring& programB, int runs, int clicks) {
    std::wprintf(L"A: %ls\nB: %ls\n%d launches each, alternating, %d clicks per launch\n",
                 programA.c_str(), programB.c_str(), runs, clicks);
    // One unmeasured launch each first, so that neither side pays for cold
    // caches (Wine's DLLs, the fonts) alone.
    Launch warmup;
    if (!MeasureLaunch(programA, 2, &warmup) || !MeasureLaunch(programB, 2, &warmup)) {
        return 1;
    }
    std::vector<Launch> a;
    std::vector<Launch> b;
    // The pairs take turns at going first, and nothing is printed between
    // launches, so that neither side always starts just after the other's
    // exit or the launcher's output.
    for (int i = 0; i < runs; ++i) {
        Launch launchA;
        Launch launchB;
        const bool aFirst = i % 2 == 0;
        if (!MeasureLaunch(aFirst ? programA : programB, clicks, aFirst ? &launchA : &launchB) ||
            !MeasureLaunch(aFirst ? programB : programA, clicks, aFirst ? &launchB : &launchA)) {
            return 1;
        }
        a.push_back(launchA);
        b.push_back(launchB);
    }
    for (int i = 0; i < runs; ++i) {
        std::printf("launch %2d  A: %7.1f ms %6.1f MiB %7.3f ms   B: %7.1f ms %6.1f MiB %7.3f ms\n",
                    i + 1, a[i].startMs, a[i].workingSetMiB, a[i].clickMs, b[i].startMs,
                    b[i].workingSetMiB, b[i].clickMs);
    }
    auto median = [](const std::vector<Launch>& launches, double Launch::*field) {
        std::vector<double> values;
        for (const Launch& launch : launches) {
            values.push_back(launch.*field);
        }
        return Median(values);
    };
    std::printf("medians of %d launches each:\n", runs);
    PrintRatio("start-up", median(a, &Launch::startMs), median(b, &Launch::startMs), "ms");
    PrintRatio("working set", median(a, &Launch::workingSetMiB), median(b, &Launch::workingSetMiB),
               "MiB");
    PrintRatio("click", median(a, &Launch::clickMs), median(b, &Launch::clickMs), "ms");
    // The machine's speed can change for seconds at a time, which moves the
    // medians of both sides apart; the two launches of a pair run within a
    // second of each other, so the median of their ratios is steadier.
    std::vector<double> pairs;
    for (int i = 0; i < runs; ++i) {
        pairs.push_back(b[i].startMs > 0 ? a[i].startMs / b[i].startMs : 0.0);
    }
    std::printf("ratio start-up A / B, median of the %d launch pairs: %.2f\n", runs, Median(pairs));
    return 0;
}

// The start-up steps in the order of the table; each is timed from the
// launch, and its own length from the step before it that the program passed.
struct StepRow {
    const char* name;
    int mark; // -1: the program's entry, kCount: the launcher saw the idle window
};

constexpr int kLauncherIdle = static_cast<int>(StartupMark::kCount);

// clang-format off
constexpr StepRow kStepRows[] = {
    {"program entry", -1},
    {"OLE initialised", static_cast<int>(StartupMark::kOleInitialised)},
    {"common controls", static_cast<int>(StartupMark::kCommonControls)},
    {"framework ready", static_cast<int>(StartupMark::kFrameworkReady)},
    {"COM initialised", static_cast<int>(StartupMark::kComInitialised)},
    {"display scale", static_cast<int>(StartupMark::kDisplayScale)},
    {"program object", static_cast<int>(StartupMark::kProgramObject)},
    {"form creating", static_cast<int>(StartupMark::kFormCreating)},
    {"children creating", static_cast<int>(StartupMark::kChildrenCreating)},
    {"children created", static_cast<int>(StartupMark::kChildrenCreated)},
    {"form created", static_cast<int>(StartupMark::kFormCreated)},
    {"first idle", static_cast<int>(StartupMark::kFirstIdle)},
    {"idle seen by launcher", kLauncherIdle},
};
// clang-format on
constexpr int kStepCount = sizeof(kStepRows) / sizeof(kStepRows[0]);

// One marked launch: for every row, ms since the launch (negative: not
// passed), and the hints' total.
struct StepLaunch {
    double at[kStepCount] = {};
    double hintMs = 0;
    int hints = 0;
};

bool MeasureSteps(const std::wstring& program, StepLaunch* launch) {
    launch::StartedProgram started;
    launch::Stopwatch watch;
    HWND form =
        started.Start(program) ? started.WaitForMainWindow(kFormClass, kTimeoutMs) : nullptr;
    const double idleMs = watch.ElapsedMs();
    StartupReport report;
    if (form == nullptr || !ReadStartupReport(started.processId(), 5000, &report)) {
        std::fwprintf(stderr, L"launcher: %ls reported no start-up steps\n", program.c_str());
        return false;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double msPerTick = 1000.0 / static_cast<double>(frequency.QuadPart);
    auto since = [&](int64_t ticks) {
        return ticks == 0 ? -1.0 : static_cast<double>(ticks - watch.StartTicks()) * msPerTick;
    };
    for (int i = 0; i < kStepCount; ++i) {
        const int mark = kStepRows[i].mark;
        launch->at[i] = mark < 0                ? since(report.entry)
                        : mark == kLauncherIdle ? idleMs
                                                : since(report.at[mark]);
    }
    launch->hintMs = static_cast<double>(report.hintTicks) * msPerTick;
    launch->hints = report.hints;
    launch::CloseAsUser(form);
    return started.WaitForExit(kTimeoutMs).has_value();
}

// Medians of one side: reached (since the launch) and length (since the
// step before that this launch passed) of every row; -1 for a step never passed.
struct StepMedians {
    double at[kStepCount];
    double length[kStepCount];
    double hintMs;
    int hints;
};

StepMedians MediansOf(const std::vector<StepLaunch>& launches) {
    StepMedians medians{};
    for (int i = 0; i < kStepCount; ++i) {
        std::vector<double> at;
        std::vector<double> length;
        for (const StepLaunch& launch : launches) {
            if (launch.at[i] < 0) {
                continue;
            }
            at.push_back(launch.at[i]);
            double previous = 0; // the launch itself
            for (int k = i - 1; k >= 0; --k) {
                if (launch.at[k] >= 0) {
                    previous = launch.at[k];
                    break;
                }
            }
            length.push_back(launch.at[i] - previous);
        }
        medians.at[i] = at.empty() ? -1 : Median(at);
        medians.length[i] = length.empty() ? -1 : Median(length);
    }
    std::vector<double> hints;
    for (const StepLaunch& launch : launches) {
        hints.push_back(launch.hintMs);
    }
    medians.hintMs = Median(hints);
    medians.hints = launches.empty() ? 0 : launches.front().hints;
    return medians;
}

void PrintCell(double value) {
    if (value < 0) {
        std::printf(" %8s", "-");
    } else {
        std::printf(" %8.1f", value);
    }
}

void PrintStepTable(const StepMedians& a, const StepMedians& b, int runs) {
    std::printf("start-up steps, medians of %d launches each, in ms:\n", runs);
    std::printf("%-24s %8s %8s %8s %8s\n", "step", "A at", "A took", "B at", "B took");
    for (int i = 0; i < kStepCount; ++i) {
        std::printf("%-24s", kStepRows[i].name);
        PrintCell(a.at[i]);
        PrintCell(a.length[i]);
        PrintCell(b.at[i]);
        PrintCell(b.length[i]);
        std::printf("\n");
    }
    std::printf("%-24s %8s", "hint tool tips, in all", "");
    PrintCell(a.hintMs);
    std::printf(" %8s", "");
    PrintCell(b.hintMs);
    std::printf("   (A %d hints, B %d)\n", a.hints, b.hints);
}

int Steps(const std::wstring& programA, const std::wstring& programB, int runs) {
    std::wprintf(L"A: %ls\nB: %ls\n%d marked launches each, alternating\n", programA.c_str(),
                 programB.c_str(), runs);
    StepLaunch warmup;
    if (!MeasureSteps(programA, &warmup) || !MeasureSteps(programB, &warmup)) {
        return 1;
    }
    std::vector<StepLaunch> a;
    std::vector<StepLaunch> b;
    for (int i = 0; i < runs; ++i) {
        StepLaunch launchA;
        StepLaunch launchB;
        const bool aFirst = i % 2 == 0; // the pairs take turns at going first
        if (!MeasureSteps(aFirst ? programA : programB, aFirst ? &launchA : &launchB) ||
            !MeasureSteps(aFirst ? programB : programA, aFirst ? &launchB : &launchA)) {
            return 1;
        }
        a.push_back(launchA);
        b.push_back(launchB);
    }
    PrintStepTable(MediansOf(a), MediansOf(b), runs);
    return 0;
}

int Usage() {
    std::fwprintf(stderr, L"usage: qorvath_launcher show <program> <screenshot.png>\n"
                          L"       qorvath_launcher bench <program A> <program B> [runs] "
                          L"[clicks]\n"
                          L"       qorvath_launcher steps <marked A> <marked B> [runs]\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"show") == 0) {
        return Show(argv[2], argv[3]);
    }
    if (argc >= 4 && argc <= 5 && std::wcscmp(argv[1], L"steps") == 0) {
        return Steps(argv[2], argv[3], argc >= 5 ? std::max(12, _wtoi(argv[4])) : 12);
    }
    if (argc >= 4 && argc <= 6 && std::wcscmp(argv[1], L"bench") == 0) {
        const int runs = argc >= 5 ? std::max(12, _wtoi(argv[4])) : 12;
        const int clicks = argc >= 6 ? std::max(1, _wtoi(argv[5])) : 20;
        return Bench(argv[2], argv[3], runs, clicks);
    }
    return Usage();
}
