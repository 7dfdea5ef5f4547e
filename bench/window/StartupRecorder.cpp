// Linked into the marked builds of the tool and of the bare window: notes
// when start-up passes each mark and, at the first idle moment, hands the
// report to the launcher through the standard output handle.
#include "bench/window/StartupReport.h"

#include <windows.h>

namespace {

StartupReport g_report;
int64_t g_hintBegin = 0;
bool g_sent = false;

int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Writes the report and closes the handle, which tells the launcher that
// nothing more comes.
void Send() {
    g_sent = true;
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(output, &g_report, sizeof(g_report), &written, nullptr);
    CloseHandle(output);
}

void Observe(StartupMark mark) {
    const int64_t now = Now();
    if (mark == StartupMark::kHintBegin) {
        g_hintBegin = now;
        return;
    }
    if (mark == StartupMark::kHintEnd) {
        g_report.hintTicks += now - g_hintBegin;
        ++g_report.hints;
        return;
    }
    int64_t& at = g_report.at[static_cast<int>(mark)];
    if (at == 0) {
        at = now;
    }
    if (mark == StartupMark::kFirstIdle && !g_sent) {
        Send();
    }
}

struct Installer {
    Installer() {
        g_report.entry = Now();
        SetStartupObserver(&Observe);
    }
};

// Before every other static object of the program, so that the entry time
// is that of the program's own first step.
__attribute__((init_priority(101))) Installer g_installer;

} // namespace
