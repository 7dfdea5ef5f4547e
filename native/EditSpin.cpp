#include "native/EditSpin.h"

#include <algorithm>
#include <limits>

namespace {

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

SpinRange SpinRangeOf(int64_t spinMin, int64_t spinMax) {
    return {ClampToInt32(std::min(spinMin, spinMax)), ClampToInt32(std::max(spinMin, spinMax))};
}

int32_t SpinStepValue(int32_t value, int32_t lower, int32_t upper, int32_t delta) {
    const int64_t next = static_cast<int64_t>(value) + (delta < 0 ? -1 : 1);
    if (next < lower || next > upper) {
        return delta < 0 ? upper : lower;
    }
    return static_cast<int32_t>(next);
}
