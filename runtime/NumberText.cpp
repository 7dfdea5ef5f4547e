#include "runtime/NumberText.h"

#include "runtime/ExactDecimal.h"
#include "runtime/WString.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// The value of a hexadecimal digit unit of either case, or -1.
int HexDigitValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') {
        return unit - u'0';
    }
    if (unit >= u'A' && unit <= u'F') {
        return unit - u'A' + 10;
    }
    if (unit >= u'a' && unit <= u'f') {
        return unit - u'a' + 10;
    }
    return -1;
}

bool IsAsciiDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

char16_t AsciiLower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// True when text starts with word (lower-case ASCII) in any letter case.
bool StartsWithWord(const char16_t* text, const char* word) {
    for (; *word != 0; ++text, ++word) {
        if (AsciiLower(*text) != static_cast<char16_t>(*word)) {
            return false;
        }
    }
    return true;
}

// Reads the decimal exponent with its optional sign that starts at q, just
// after an 'e' or 'p'. Returns false when no digit follows: the letter then is not part
// of the number, as for wcstod. The magnitude saturates far beyond every
// exponent a double can need, so it cannot overflow.
bool ReadExponent(const char16_t* q, int64_t& exponent) {
    bool negative = false;
    if (*q == u'+' || *q == u'-') {
        negative = *q == u'-';
        ++q;
    }
    if (!IsAsciiDigit(*q)) {
        return false;
    }
    constexpr int64_t kSaturated = 1'000'000'000;
    int64_t magnitude = 0;
    for (; IsAsciiDigit(*q); ++q) {
        if (magnitude < kSaturated) {
            magnitude = magnitude * 10 + (*q - u'0');
        }
    }
    exponent = negative ? -magnitude : magnitude;
    return true;
}

// Significant digits a number text keeps before the conversion; see Radix.
constexpr int kMaxKeptDigits = 768;

// The digits of a number (without leading or trailing zeros once
// normalised) and the power the last of them stands at: value = digits x radix^exponent, where
// the radix is 10 for decimal and 2 for hexadecimal text (in which case every
// digit adds four to the binary exponent). Digits beyond the kept ones are
// not stored: each moves the exponent up one place, and a nonzero one among
// them is remembered.
struct Significand {
    char digits[kMaxKeptDigits + 1] = {}; // room for the mark of a cut
    int count = 0;
    int64_t exponent = 0;
    bool nonzeroDropped = false;
};

// Adds the next digit of the text. Leading zeros change nothing and are not
// stored.
void AddDigit(Significand& s, char digit, int keptDigits, int placeWeight) {
    if (s.count == 0 && digit == '0') {
        return;
    }
    if (s.count < keptDigits) {
        s.digits[s.count++] = digit;
        return;
    }
    s.exponent += placeWeight;
    s.nonzeroDropped = s.nonzeroDropped || digit != '0';
}

// Settles the digits read. A cut that dropped a nonzero digit is marked by
// one extra '1' digit: the marked value lies strictly between the cut value
// and the next one at the last kept place, as the exact value does, and no
// rounding boundary of a double lies there, so both round to the same double.
// Without such a cut, trailing zeros are removed. False when no nonzero digit
// was read.
bool Normalise(Significand& s, int placeWeight) {
    if (s.count == 0) {
        return false;
    }
    if (s.nonzeroDropped) {
        s.digits[s.count++] = '1';
        s.exponent -= placeWeight;
        return true;
    }
    while (s.digits[s.count - 1] == '0') {
        --s.count;
        s.exponent += placeWeight;
    }
    return true;
}

// Writes the decimal text of value into area; returns the end.
char* WriteExponent(int64_t value, char* area) {
    if (value < 0) {
        *area++ = '-';
        value = -value;
    }
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        *area++ = reversed[--count];
    }
    return area;
}

// Converts a canonical narrow number text with the C library. The text has
// no decimal point, so the conversion cannot depend on the locale.
double ConvertCanonical(bool negative, bool hex, const Significand& s) {
    char text[kMaxKeptDigits + 32];
    char* end = text;
    if (negative) {
        *end++ = '-';
    }
    if (hex) {
        *end++ = '0';
        *end++ = 'x';
    }
    for (int i = 0; i < s.count; ++i) {
        *end++ = s.digits[i];
    }
    *end++ = hex ? 'p' : 'e';
    *WriteExponent(s.exponent, end) = 0;
    return std::strtod(text, nullptr);
}

// What differs between decimal and hexadecimal number texts.
struct Radix {
    bool hex;
    // Exponent step of one digit place: 1 (a power of 10) or 4 (powers of 2).
    int placeWeight;
    // The exponent letter, in lower case; the upper case is accepted too.
    char16_t exponentLetter;
    // Significant digits kept before the conversion.
    int digitsKept;
    // Magnitudes (exponent plus digit places, in exponent units) beyond these
    // bounds are settled as infinity or zero before the conversion, which also
    // keeps the canonical exponent short.
    int64_t infiniteAbove;
    int64_t zeroBelow;
};

// Decimal: the exact midpoint between two doubles never needs more than 767
// significant digits. Hexadecimal: 128 bits, far more than the 54 a double
// rounds on.
constexpr Radix kDecimalRadix{false, 1, u'e', kMaxKeptDigits, 400, -400};
constexpr Radix kHexRadix{true, 4, u'p', 32, 1100, -1200};

bool IsRadixDigit(char16_t unit, const Radix& radix) {
    return radix.hex ? HexDigitValue(unit) >= 0 : IsAsciiDigit(unit);
}

// Digits with an optional point; p is at the first digit or point (after the
// "0x" of a hexadecimal text). Returns false, consuming nothing, when the
// significand has no digit.
bool ReadSignificand(const char16_t*& p, const Radix& radix, Significand& s) {
    const char16_t* q = p;
    bool anyDigit = false;
    for (; IsRadixDigit(*q, radix); ++q) {
        AddDigit(s, static_cast<char>(*q), radix.digitsKept, radix.placeWeight);
        anyDigit = true;
    }
    if (*q == u'.') {
        ++q;
        for (; IsRadixDigit(*q, radix); ++q) {
            AddDigit(s, static_cast<char>(*q), radix.digitsKept, radix.placeWeight);
            s.exponent -= radix.placeWeight;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return false;
    }
    p = q;
    return true;
}

double SignedZero(bool negative) {
    return negative ? -0.0 : 0.0;
}

double ReadNumber(const char16_t* p, bool negative, const Radix& radix) {
    Significand s;
    if (!ReadSignificand(p, radix, s)) {
        // Without a digit nothing was read, and wcstod gives +0; but "0x"
        // alone reads as the number 0 with its sign.
        return radix.hex ? SignedZero(negative) : 0.0;
    }
    int64_t exponent = 0;
    const bool letter = *p == radix.exponentLetter || *p == radix.exponentLetter - (u'a' - u'A');
    if (letter && ReadExponent(p + 1, exponent)) {
        s.exponent += exponent;
    }
    if (!Normalise(s, radix.placeWeight)) {
        return SignedZero(negative);
    }
    const int64_t magnitude = s.exponent + radix.placeWeight * static_cast<int64_t>(s.count);
    if (magnitude > radix.infiniteAbove) {
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (magnitude < radix.zeroBelow) {
        return SignedZero(negative);
    }
    return ConvertCanonical(negative, radix.hex, s);
}

// Copies a narrow ASCII text with its terminator into area.
char16_t* Widen(const char* text, char16_t* area) {
    int i = 0;
    for (; text[i] != 0; ++i) {
        area[i] = static_cast<char16_t>(text[i]);
    }
    area[i] = 0;
    return area;
}

// The digits in fixed notation: zeros stand for the places between the
// point and the first digit, or between the last digit held and the point.
char* WriteFixed(const SignificantDigits& d, char* area) {
    if (d.exponent < 0) {
        *area++ = '0';
        *area++ = '.';
        for (int i = -1; i > d.exponent; --i) {
            *area++ = '0';
        }
        for (int i = 0; i < d.count; ++i) {
            *area++ = d.digits[i];
        }
        return area;
    }
    const int places = d.count > d.exponent + 1 ? d.count : d.exponent + 1;
    for (int i = 0; i < places; ++i) {
        if (i == d.exponent + 1) {
            *area++ = '.';
        }
        *area++ = i < d.count ? d.digits[i] : '0';
    }
    return area;
}

// d0[.d1...]E+XX: the exponent with its sign and at least two digits.
char* WriteScientific(const SignificantDigits& d, char* area) {
    *area++ = d.digits[0];
    if (d.count > 1) {
        *area++ = '.';
        for (int i = 1; i < d.count; ++i) {
            *area++ = d.digits[i];
        }
    }
    *area++ = 'E';
    *area++ = d.exponent < 0 ? '-' : '+';
    const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
    if (magnitude < 10) {
        *area++ = '0';
    }
    return WriteExponent(magnitude, area);
}

// The "%G" layout of digits rounded to precision (at least 1), trailing zeros
// removed as the digits come: fixed notation when the exponent is at least -4
// and below the precision, scientific otherwise.
char* WritePercentG(const SignificantDigits& d, int precision, char* area) {
    if (d.exponent >= -4 && d.exponent < precision) {
        return WriteFixed(d, area);
    }
    return WriteScientific(d, area);
}

} // namespace

char16_t* UInt32ToHex8(uint32_t value, char16_t* area) {
    for (int i = 0; i < 8; ++i) {
        area[i] = kHexDigits[(value >> (28 - 4 * i)) & 0xF];
    }
    area[8] = 0;
    return area;
}

char16_t* UInt64ToHex(uint64_t value, char16_t* area) {
    int length = 0;
    for (int shift = 60; shift >= 0; shift -= 4) {
        const unsigned nibble = (value >> shift) & 0xF;
        if (nibble != 0 || length > 0 || shift == 0) {
            area[length++] = kHexDigits[nibble];
        }
    }
    area[length] = 0;
    return area;
}

int64_t HexToInt64(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    const char16_t* p = text;
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        p += 2;
    }
    uint64_t value = 0;
    for (int digit = HexDigitValue(*p); digit >= 0; digit = HexDigitValue(*++p)) {
        value = (value << 4) | static_cast<unsigned>(digit);
    }
    return static_cast<int64_t>(value);
}

double TextToFloat64(const char16_t* text) {
    if (text == nullptr) {
        return 0.0;
    }
    const char16_t* p = text;
    while (IsTextSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == u'+' || *p == u'-') {
        negative = *p == u'-';
        ++p;
    }
    if (StartsWithWord(p, "inf")) {
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (StartsWithWord(p, "nan")) {
        // The tail in parentheses would only choose a NaN payload; every NaN
        // reads the same so that both builds agree.
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        return negative ? -kNaN : kNaN;
    }
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X')) {
        return ReadNumber(p + 2, negative, kHexRadix);
    }
    return ReadNumber(p, negative, kDecimalRadix);
}

char16_t* FloatToText(double value, int precision, char16_t* area) {
    if (std::isnan(value)) {
        return Widen("NAN", area);
    }
    if (std::isinf(value)) {
        return Widen(value < 0 ? "-INF" : "INF", area);
    }
    if (precision < 0) {
        precision = 6;
    }
    if (precision > kMaxFloatPrecision) {
        precision = kMaxFloatPrecision;
    }
    if (precision == 0) {
        precision = 1;
    }
    // The digits come from the exact expansion of the value, not from the C
    // run-time, so that both builds write the same text.
    char narrow[kNumberTextUnits];
    char* end = narrow;
    if (std::signbit(value)) {
        *end++ = '-';
    }
    if (value == 0) {
        *end++ = '0';
    } else {
        end = WritePercentG(RoundToSignificant(value, precision), precision, end);
    }
    *end = 0;
    return Widen(narrow, area);
}

char16_t* Float64ToText(double value, char16_t* area) {
    if (value >= -0.000001 && value <= 0.000001) {
        return Widen("0", area);
    }
    return FloatToText(value, 15, area);
}

char16_t* Float32ToText(float value, char16_t* area) {
    if (value >= -0.000001f && value <= 0.000001f) {
        return Widen("0", area);
    }
    return FloatToText(static_cast<double>(value), 8, area);
}

void AppendFloat(CWString& text, float value) {
    char16_t area[kNumberTextUnits];
    text.Append(Float32ToText(value, area));
}

void AppendDouble(CWString& text, double value) {
    char16_t area[kNumberTextUnits];
    text.Append(Float64ToText(value, area));
}
