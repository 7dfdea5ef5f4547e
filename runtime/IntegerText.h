// The integer text rules: reading decimal integers from text and writing them, in 32 and 64 bits.
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

// Reads by exactly the rule of TextToInt32 (its blanks, digit ranges and
// sign) over the signed 64-bit range: a magnitude beyond it saturates to
// INT64_MAX, or INT64_MIN after '-'. Every text that TextToInt32 reads inside
// its range gives the same value here. Unlike TextToInt64 it never wraps.
int64_t TextToInt64Saturating(const char16_t* text);

// Writes the decimal text of value (as "%d" prints it) with its terminator
// into area, which holds kNumberTextUnits units, and returns area.
char16_t* Int32ToText(int32_t value, char16_t* area);

// Writes the decimal text of value with its terminator into area (which holds
// kNumberTextUnits units) and returns area; for INT64_MIN, whose magnitude
// cannot be negated, it returns the constant text "-9223372036854775808"
// instead and leaves area untouched.
const char16_t* Int64ToText(int64_t value, char16_t* area);

// Reads a decimal 64-bit integer: every unit up to U+0020 before it is
// skipped, then one optional sign and ASCII digits up to the first other unit.
// A magnitude beyond 18446744073709551615 saturates to INT64_MAX, or INT64_MIN
// after '-'; a magnitude from 2^63 up to that limit wraps to its
// two's-complement value (so "18446744073709551615" reads as -1). No digits,
// or a null text, give 0.
int64_t TextToInt64(const char16_t* text);

// True for the units that TextToInt32 skips before the number.
bool IsTextSpace(char16_t unit);

// The value 0-9 of a decimal digit unit from any of the eighteen digit ranges,
// or -1 for any other unit.
int DecimalDigitValue(char16_t unit);
