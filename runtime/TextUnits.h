// Counting the units of zero-terminated UTF-16 text.
#pragma once

#include <cstdint>
#include <string>

// The number of units before the terminator of a non-null text.
inline int64_t UnitCount(const char16_t* text) {
    return static_cast<int64_t>(std::char_traits<char16_t>::length(text));
}
