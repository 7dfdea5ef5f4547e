// TextToFloat64 against the C library's strtod on the same ASCII text, and
// FloatToText against its printf "%.*G", both exact in the native C library.
#include "fuzz/FuzzSupport.h"
#include "runtime/NumberText.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool SameBits(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
    }
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

void CheckReading(const uint8_t* data, size_t size) {
    std::string ascii;
    for (size_t i = 0; i < size && data[i] != 0; ++i) {
        ascii += static_cast<char>(data[i] & 0x7F);
    }
    const std::u16string text(ascii.begin(), ascii.end());
    const double expected = std::strtod(ascii.c_str(), nullptr);
    Check(SameBits(TextToFloat64(text.c_str()), expected));
}

void CheckWriting(const uint8_t* data, size_t size) {
    if (size < 9) {
        return;
    }
    uint64_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const double value = std::bit_cast<double>(bits);
    if (!std::isfinite(value)) {
        return;
    }
    const int precision = data[8] % (kMaxFloatPrecision + 1);
    char expected[kNumberTextUnits];
    std::snprintf(expected, sizeof expected, "%.*G", precision, value);
    char16_t area[kNumberTextUnits];
    FloatToText(value, precision, area);
    Check(std::u16string(area) == std::u16string(expected, expected + std::strlen(expected)));
    // Seventeen digits always read back to the same double.
    Check(SameBits(TextToFloat64(FloatToText(value, 17, area)), value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckReading(data, size);
    CheckWriting(data, size);
    return 0;
}
