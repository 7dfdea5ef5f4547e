// What a marked build of a program reports about its start-up to the launcher.
#pragma once

#include <cstdint>

#include "runtime/StartupMarks.h"

// Performance-counter readings of one start-up. At its first idle moment the
// marked program copies the record, as it is, into shared memory named after
// its process id, which stays until the program ends; the launcher and the
// tests read it from there. Both sides are built together, so the layout is
// shared. A channel of its own, rather than the program's standard output:
// a program started with inherited handles starts measurably slower under
// Wine, and the marked programs must start as the unmarked ones do.
struct StartupReport {
    // When the program's static construction began.
    int64_t entry = 0;
    // When each mark was first passed; 0 for a mark the program never passed.
    int64_t at[static_cast<int>(StartupMark::kCount)] = {};
    // Time spent between the hint marks, added up, and how many pairs.
    int64_t hintTicks = 0;
    int32_t hints = 0;
};

// The name of the shared memory that holds the report of a marked program.
void StartupReportName(uint32_t processId, wchar_t (&name)[64]);

// Copies the report that the marked program with the process id left, waiting
// up to timeoutMs for it to appear; false when none came.
bool ReadStartupReport(uint32_t processId, uint32_t timeoutMs, StartupReport* report);
