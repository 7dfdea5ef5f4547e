// Differential fuzzing of TextToInt32 against a plain reference model that
// accumulates in wide arithmetic and clamps at the end.
#include "fuzz/FuzzSupport.h"
#include "runtime/IntegerText.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// text[text.size()] is its terminator, so the reading always stops there.
int32_t Reference(const std::u16string& text) {
    size_t i = 0;
    while (IsTextSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (text[i] == u'-' || text[i] == u'+') {
        negative = text[i] == u'-';
        ++i;
    }
    // Once beyond 2^32 the outcome is settled: saturation.
    int64_t magnitude = 0;
    for (; DecimalDigitValue(text[i]) >= 0; ++i) {
        if (magnitude <= (int64_t{1} << 32)) {
            magnitude = magnitude * 10 + DecimalDigitValue(text[i]);
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A zero unit inside the input ends the text for both readers.
    const std::u16string text = UnitsFromBytes(data, size);
    const int32_t value = Reference(text);
    Check(TextToInt32(text.c_str()) == value);
    char16_t area[kNumberTextUnits];
    Check(TextToInt32(Int32ToText(value, area)) == value);
    return 0;
}
