// Number text rules beyond the decimal integer ones: hexadecimal text and floating-point text.
#pragma once

#include <cstdint>

#include "runtime/IntegerText.h"

// Writes exactly eight uppercase hexadecimal digits of value, leading zeros
// kept, with a terminator into area (kNumberTextUnits units); returns area.
char16_t* UInt32ToHex8(uint32_t value, char16_t* area);

// Writes the uppercase hexadecimal digits of value without leading zeros (a
// single 0 for zero) with a terminator into area (kNumberTextUnits units);
// returns area.
char16_t* UInt64ToHex(uint64_t value, char16_t* area);

// Reads hexadecimal digits (either case) after an optional "0x" or "0X" up to
// the first other unit. No white space is skipped and no sign is read; digits
// beyond sixteen push the earliest ones out. A null text gives 0.
int64_t HexToInt64(const char16_t* text);

// Reads a floating-point number as wcstod does in the C locale: white space
// (IsTextSpace), one optional sign, then decimal digits with an optional
// decimal point and exponent, a hexadecimal significand after "0x" with an
// optional binary exponent "p", or "inf", "infinity" or "nan" (with an
// optional parenthesised tail) in any case. The value is the correctly
// rounded nearest double; overflow gives an infinity, underflow a zero. A
// not-a-number reads as the quiet NaN with the text's sign, whatever its
// tail. Nothing readable, or a null text, gives 0. The result does not depend
// on the process locale and is the same on every build.
double TextToFloat64(const char16_t* text);

// Largest precision that FloatToText honours: its longest text, with sign,
// point, "E-308" and terminator, then still fits kNumberTextUnits units.
inline constexpr int kMaxFloatPrecision = 56;

// Writes value as printf's "%.<precision>G" does in the C locale, with a
// terminator, into area (kNumberTextUnits units) and returns area. A negative
// precision means 6, zero means 1, and anything above kMaxFloatPrecision is
// taken as kMaxFloatPrecision. The exponent has at least two digits and no
// more than needed (1E+20, 1E-300). Every not-a-number is written "NAN" and the
// infinities "INF" and "-INF". The digits are exact and the text is the same
// on every build.
char16_t* FloatToText(double value, int precision, char16_t* area);

// The text a boxed 64-bit float shows: "0" for a value from -0.000001 to
// 0.000001 inclusive, otherwise FloatToText with precision 15. Writes into
// area (kNumberTextUnits units) and returns it.
char16_t* Float64ToText(double value, char16_t* area);

// The text a boxed 32-bit float shows: "0" for a value between the
// single-precision constants nearest to -0.000001 and 0.000001 inclusive,
// otherwise FloatToText of the widened value with precision 8. Writes into
// area (kNumberTextUnits units) and returns it.
char16_t* Float32ToText(float value, char16_t* area);

class CWString;

// Appends the text of a boxed 32-bit float (Float32ToText) to text.
void AppendFloat(CWString& text, float value);

// Appends the text of a boxed 64-bit float (Float64ToText) to text.
void AppendDouble(CWString& text, double value);
