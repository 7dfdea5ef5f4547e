// Differential fuzzing of TextToInt32 and TextToInt64Saturating, which share
// one reading rule, against a plain reference model that accumulates in wide
// arithmetic and clamps at the end.
#include "fuzz/FuzzSupport.h"
#include "runtime/IntegerText.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using Wide = __int128;

// The value the text starts with, exact up to a magnitude of 2^64; beyond
// that every clamp below is settled, so accumulation stops there.
// text[text.size()] is its terminator, so the reading always stops there.
Wide Reference(const std::u16string& text) {
    size_t i = 0;
    while (IsTextSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (text[i] == u'-' || text[i] == u'+') {
        negative = text[i] == u'-';
        ++i;
    }
    const Wide cap = Wide{1} << 64;
    Wide magnitude = 0;
    for (; DecimalDigitValue(text[i]) >= 0; ++i) {
        if (magnitude <= cap) {
            magnitude = magnitude * 10 + DecimalDigitValue(text[i]);
        }
    }
    return negative ? -magnitude : magnitude;
}

Wide Clamp(Wide value, Wide low, Wide high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A zero unit inside the input ends the text for both readers.
    const std::u16string text = UnitsFromBytes(data, size);
    const Wide wide = Reference(text);
    const auto value = static_cast<int32_t>(Clamp(wide, INT32_MIN, INT32_MAX));
    const auto value64 = static_cast<int64_t>(Clamp(wide, INT64_MIN, INT64_MAX));
    Check(TextToInt32(text.c_str()) == value);
    Check(TextToInt64Saturating(text.c_str()) == value64);
    char16_t area[kNumberTextUnits];
    Check(TextToInt32(Int32ToText(value, area)) == value);
    Check(TextToInt64Saturating(Int64ToText(value64, area)) == value64);
    return 0;
}
