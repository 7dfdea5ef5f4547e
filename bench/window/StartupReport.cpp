#include "bench/window/StartupReport.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

void StartupReportName(uint32_t processId, wchar_t (&name)[64]) {
    std::swprintf(name, 64, L"Local\\QorvathStartupReport.%u", processId);
}

bool ReadStartupReport(uint32_t processId, uint32_t timeoutMs, StartupReport* report) {
    wchar_t name[64];
    StartupReportName(processId, name);
    const DWORD start = GetTickCount();
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    while (mapping == nullptr && GetTickCount() - start < timeoutMs) {
        Sleep(1);
        mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    }
    if (mapping == nullptr) {
        return false;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(*report));
    if (view != nullptr) {
        std::memcpy(report, view, sizeof(*report));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}
