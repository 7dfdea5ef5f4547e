#include "runtime/NumberText.h"

namespace {

constexpr char16_t kInt64MinText[] = u"-9223372036854775808";

} // namespace

const char16_t* Int64ToText(int64_t value, char16_t* area) {
    if (value == 0) {
        area[0] = u'0';
        area[1] = 0;
        return area;
    }
    if (value == INT64_MIN) {
        return kInt64MinText;
    }
    // Digits go from the least significant upwards into the end of a scratch
    // area, then the finished text moves to the start of the caller's area.
    char16_t scratch[kNumberTextUnits];
    int pos = kNumberTextUnits - 1;
    scratch[pos] = 0;
    uint64_t magnitude = value < 0 ? uint64_t(-value) : uint64_t(value);
    while (magnitude != 0) {
        scratch[--pos] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    if (value < 0) {
        scratch[--pos] = u'-';
    }
    int length = kNumberTextUnits - pos;
    for (int i = 0; i < length; ++i) {
        area[i] = scratch[pos + i];
    }
    return area;
}
