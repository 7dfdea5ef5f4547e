// What every fuzz target shares: reporting a finding and reading UTF-16 input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// A failed check aborts, which libFuzzer records with the input that caused it.
inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The input bytes read in pairs as little-endian UTF-16 units (an odd last
// byte is left out). Zero units stay in the result.
inline std::u16string UnitsFromBytes(const uint8_t* data, size_t size) {
    std::u16string units;
    units.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return units;
}
