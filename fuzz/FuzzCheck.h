// The one way a fuzz target reports a finding: a failed check aborts, which
// libFuzzer records with the input that caused it.
#pragma once

#include <cstdlib>

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}
