// Differential fuzzing of TextToInt32 against a plain reference model that
// accumulates in wide arithmetic and clamps at the end.
#include "runtime/IntegerText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

int32_t Reference(const std::vector<char16_t>& text) {
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
    // Bytes are read in pairs as little-endian UTF-16 units; a zero ends the text.
    std::vector<char16_t> text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    text.push_back(0);
    if (TextToInt32(text.data()) != Reference(text)) {
        std::abort();
    }
    char16_t area[kNumberTextUnits];
    const int32_t value = Reference(text);
    if (TextToInt32(Int32ToText(value, area)) != value) {
        std::abort();
    }
    return 0;
}
