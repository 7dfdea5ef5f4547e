// The 32-bit integer text rules: reading a decimal integer from text and writing one.
#pragma once

#include <cstdint>

// Size in units of the caller areas that the number-to-text rules write into.
// Every integer, hexadecimal and date text fits with its terminator.
inline constexpr int kNumberTextUnits = 64;

// Reads a decimal integer from zero-terminated UTF-16 text, as a wide strtol
// with base 10 would: leading white space, one optional sign, then digits of
// any of the eighteen Unicode decimal digit ranges (mixed freely). Reading
// stops at the first other unit. No digits give 0; a magnitude beyond the
// 32-bit range saturates to INT32_MAX, or INT32_MIN after '-'. A null text
// reads as 0. Never fails.
int32_t TextToInt32(const char16_t* text);

// Writes the decimal text of value (as "%d" prints it) with its terminator
// into area, which holds kNumberTextUnits units, and returns area.
char16_t* Int32ToText(int32_t value, char16_t* area);

// True for the units that TextToInt32 skips before the number.
bool IsTextSpace(char16_t unit);

// The value 0-9 of a decimal digit unit from any of the eighteen digit ranges,
// or -1 for any other unit.
int DecimalDigitValue(char16_t unit);
