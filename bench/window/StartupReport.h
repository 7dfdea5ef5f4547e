// What a marked build of a program reports about its start-up to the launcher.
#pragma once

#include <cstdint>

#include "runtime/StartupMarks.h"

// Performance-counter readings of one start-up. The marked program writes
// the record as it is, in one piece, to the standard output handle the
// launcher gave it, at its first idle moment; both are built together, so
// the layout is shared.
struct StartupReport {
    // When the program's static construction began.
    int64_t entry = 0;
    // When each mark was first passed; 0 for a mark the program never passed.
    int64_t at[static_cast<int>(StartupMark::kCount)] = {};
    // Time spent between the hint marks, added up, and how many pairs.
    int64_t hintTicks = 0;
    int32_t hints = 0;
};
