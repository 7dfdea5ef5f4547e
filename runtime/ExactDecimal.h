// The exact decimal digits of a double, rounded to a count of significant digits.
#pragma once

// Significant digits that RoundToSignificant can keep.
inline constexpr int kMaxSignificantDigits = 64;

// The leading significant digits of a positive finite double: the value is
// close to 0.d0 d1 d2 ... x 10^(exponent + 1), i.e. d0.d1 d2 ... x 10^exponent.
struct SignificantDigits {
    // ASCII '0' to '9'; the first is never '0'; no terminator.
    char digits[kMaxSignificantDigits];
    // Digits held, from 1 to the precision asked for; trailing zeros removed.
    int count;
    // The power of ten of the first digit.
    int exponent;
};

// Rounds the magnitude of value (finite and not zero; the sign is ignored) to
// precision significant digits, 1 to kMaxSignificantDigits, from its exact
// decimal expansion, an exact half going to the even digit: the digits
// printf's "%.*E" gives in the C locale. Costs a little more the farther the
// binary exponent is from zero, never a heap allocation.
SignificantDigits RoundToSignificant(double value, int precision);
