// Linked into the marked builds of the tool and of the bare window: notes
// when start-up passes each mark and, at the first idle moment, leaves the
// report in shared memory for the launcher.
#include "bench/window/StartupReport.h"

#include <windows.h>

#include <cstring>

namespace {

StartupReport g_report;
int64_t g_hintBegin = 0;
bool g_sent = false;

int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Copies the report into shared memory whose handle stays open, and with it
// the memory, until the program ends.
void Send() {
    g_sent = true;
    wchar_t name[64];
    StartupReportName(GetCurrentProcessId(), name);
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(g_report), name);
    if (mapping == nullptr) {
        return;
    }
    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(g_report))) {
        std::memcpy(view, &g_report, sizeof(g_report));
        UnmapViewOfFile(view);
    }
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
